#include "state/spielstand_datei.hpp"

#include "state/spielstand_pruefung.hpp"

#include <zlib.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstring>

namespace qz {

namespace {

constexpr char kMagie[8] = {'Q', 'Z', 'S', 'P', 'I', 'E', 'L', '\x1A'};
constexpr std::size_t kAnfang = 8 + 4;            // magic, version: the same in every version
constexpr std::size_t kUmschlag = kAnfang + 8 + 4;  // then, in version 1: length, CRC-32

std::uint32_t pruefsumme(std::string_view daten)
{
    return static_cast<std::uint32_t>(
        crc32_z(crc32_z(0, nullptr, 0), reinterpret_cast<const Bytef*>(daten.data()), daten.size()));
}

// Little-endian, fixed widths; lengths and counts as unsigned LEB128.
class Schreiber {
public:
    explicit Schreiber(double jetzt) : jetzt_(jetzt) {}

    static bool ok() { return true; }
    template <class Bedingung>
    void pruefe(Bedingung&&) {}

    void zahl(int v, int = INT_MIN, int = INT_MAX) { u32(static_cast<std::uint32_t>(v)); }
    void zahl64(std::int64_t v) { u64(static_cast<std::uint64_t>(v)); }
    void kommazahl(double v) { u64(std::bit_cast<std::uint64_t>(v)); }
    void zeit(double v) { kommazahl(v - jetzt_); }
    void text(const std::string& s)
    {
        laenge(s.size());
        out.append(s);
    }
    void texte(const Feld<std::string>& f)
    {
        zahl(f.lo());
        laenge(f.values().size());
        for (const std::string& s : f.values()) text(s);
    }

    void u32(std::uint32_t v)
    {
        const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 24)};
        out.append(b, 4);
    }
    void u64(std::uint64_t v)
    {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }

    std::string out;

private:
    void laenge(std::size_t n)
    {
        do {
            const auto byte = static_cast<unsigned char>(n & 0x7F);
            n >>= 7;
            out.push_back(static_cast<char>(n ? byte | 0x80 : byte));
        } while (n);
    }

    double jetzt_;
};

// The mirror of the writer. Every read checks that the bytes are there and every value that
// the game uses as an index or a picture number is checked against its range; the first fault
// marks the file damaged and every later read yields 0.
class Leser {
public:
    Leser(std::string_view daten, double jetzt) : daten_(daten), jetzt_(jetzt) {}

    bool ok() const { return ok_; }
    bool amEnde() const { return ok_ && pos_ == daten_.size(); }
    template <class Bedingung>
    void pruefe(Bedingung&& bedingung)
    {
        if (ok_ && !bedingung()) ok_ = false;
    }

    void zahl(int& v, int min = INT_MIN, int max = INT_MAX)
    {
        v = static_cast<int>(u32());
        if (v < min || v > max) ok_ = false;
    }
    void zahl64(std::int64_t& v) { v = static_cast<std::int64_t>(u64()); }
    void kommazahl(double& v)
    {
        v = std::bit_cast<double>(u64());
        if (!std::isfinite(v)) ok_ = false;
    }
    void zeit(double& v)
    {
        kommazahl(v);
        v += jetzt_;
    }
    void text(std::string& s)
    {
        const std::size_t n = laenge();
        if (!ok_) return;
        s.assign(daten_.data() + pos_, n);
        pos_ += n;
    }
    void texte(Feld<std::string>& f)
    {
        int lo = 0;
        zahl(lo, 0, 1);
        const std::size_t n = laenge();  // every text takes at least its length byte
        if (!ok_) return;
        std::vector<std::string>& werte = f.values();
        werte.resize(n);
        for (std::string& s : werte) text(s);
        f.rebound(lo);
    }

    std::uint32_t u32()
    {
        if (!nimm(4)) return 0;
        const auto* b = reinterpret_cast<const unsigned char*>(daten_.data() + pos_ - 4);
        return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    }
    std::uint64_t u64()
    {
        const std::uint64_t lo = u32();
        return lo | (static_cast<std::uint64_t>(u32()) << 32);
    }

private:
    bool nimm(std::size_t n)
    {
        if (!ok_ || daten_.size() - pos_ < n) {
            ok_ = false;
            return false;
        }
        pos_ += n;
        return true;
    }
    // A length or count never exceeds the bytes still to come.
    std::size_t laenge()
    {
        std::uint64_t n = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (!nimm(1)) return 0;
            const auto byte = static_cast<unsigned char>(daten_[pos_ - 1]);
            n |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80)) {
                if (n > daten_.size() - pos_) break;
                return static_cast<std::size_t>(n);
            }
        }
        ok_ = false;
        return 0;
    }

    std::string_view daten_;
    std::size_t pos_ = 0;
    double jetzt_;
    bool ok_ = true;
};

template <class A, class K>
void kopfFelder(A& a, K& kopf)
{
    a.zahl64(kopf.gespeichertUm);
    a.zahl(kopf.Sternanzahl, 0, kSystemKapazitaet);
    a.zahl(kopf.spieltag);
    a.zahl(kopf.geld, -kGeldGrenze, kGeldGrenze);
    a.zahl(kopf.eigeneSysteme, 0, kSystemKapazitaet);
}

// Version 1 of the game: every field in the order of the file. S is Spielstand for reading and
// const Spielstand for writing, so both directions share this one list.
template <class A, class S>
void spielFelder(A& a, S& s)
{
    a.zahl(s.eigenerSpieler, 1, 4);
    a.zahl(s.Spieleranzahl, 0, 4);
    a.zahl(s.Sternanzahl, 0, kSystemKapazitaet);
    a.zahl(s.spielLaeuft, 0, 1);
    a.zahl(s.hintergrund, 1, 13);
    a.zahl(s.gewaehltesSystem, 0, s.Sternanzahl);
    // All fourteen background sizes are equal; the view may go 111 pixels below the map for
    // the status bar.
    a.zahl(s.scrollX, 0, s.hintergrundGroesse(1, 1));
    a.zahl(s.scrollY, 0, s.hintergrundGroesse(1, 2) + 111);
    a.zahl(s.scrollSchritt);
    if (!a.ok()) return;

    auto& sys = s.systeme;
    const int n = s.Sternanzahl;
    auto spalte = [&](auto& feld) {
        for (int i = 1; i <= n; ++i) a.zahl(feld(i));
    };
    auto spalte2 = [&](auto& feld) {
        for (int i = 1; i <= n; ++i)
            for (int j = feld.lo2(); j <= feld.hi2(); ++j) a.zahl(feld(i, j));
    };
    spalte(sys.handelsposten);
    spalte(sys.angriff);
    for (int i = 1; i <= n; ++i) a.text(sys.name(i));
    for (auto* feld : {&sys.schild, &sys.schildMax, &sys.befestigung, &sys.befestigungBasis, &sys.befestigungMax,
                       &sys.angegriffen, &sys.entdecker})
        spalte(*feld);
    spalte2(sys.pos);
    for (auto* feld : {&sys.besitzer, &sys.typ, &sys.einwohner, &sys.einwohnerBasis, &sys.einwohnerMax,
                       &sys.versorgung, &sys.versorgungBasis, &sys.versorgungMax, &sys.forschung, &sys.forschungBasis,
                       &sys.handel, &sys.handelBasis, &sys.handelMax, &sys.werft, &sys.werftBasis})
        spalte(*feld);
    for (auto* feld : {&sys.bauAufwand, &sys.bauFortschritt, &sys.bauTyp}) spalte2(*feld);
    spalte(sys.bauAuftraege);

    // The master lists and the working set both: between two joins the working set holds what
    // the screens changed, and ships built on the day tick wait in the master lists.
    for (auto& liste : s.schiffe.liste) a.text(liste);
    auto& satz = s.saetze(1);
    a.zahl(satz.anzahl, 0);
    for (auto& feld : satz.feld) {
        a.texte(feld);
        a.pruefe([&] { return feld.hi() >= satz.anzahl; });
    }

    auto& sp = s.spieler;
    for (int p = 1; p <= 4; ++p) {
        a.zahl(sp.spielerFarbe(p, 0), 0, 8);
        for (int c = 1; c <= 3; ++c) a.zahl(sp.spielerFarbe(p, c), 0, 255);
        a.zahl(sp.parkOffset(p, 1));
        a.zahl(sp.parkOffset(p, 2));
        a.kommazahl(sp.bewegungsIntervall(p));
        a.zahl(sp.hoechsteFlotte(p), 0);
    }
    a.pruefe([&] { return sp.spielerFarbe(s.eigenerSpieler, 0) >= 1; });  // names the ship picture folder

    for (int t = 1; t <= 12; ++t) {
        auto& thema = s.forschung.thema(t);
        a.zahl(thema.aktiv, 0, 1);
        a.zahl(thema.stufe, 0);
        a.zahl(thema.fortschritt);
    }
    a.zahl(s.forschung.aktiveThemen, 0, 12);

    auto& w = s.wirtschaft;
    a.zahl(w.geld);
    a.zahl(w.vorrat);
    a.zeit(w.naechsterTag);
    for (auto* wert : {&w.einnahmen, &w.forschungskosten, &w.versorgungsertrag, &w.versorgungsverbrauch,
                       &w.forschungsertrag})
        a.zahl(*wert);
    a.zahl(w.forschungsetat, 0, 100);
    a.zahl(w.forschungsausgaben);
    a.zahl(w.forschungspunkte);
    a.zahl(w.spieltag, 0);

    auto& k = s.karte;
    a.zahl(k.scanNeuzeichnen);
    a.zahl(k.handelNeuzeichnen);
    a.text(k.handelsliste);
    a.texte(k.handelsArray);
    a.zahl(k.handelsAnzahl, 0);
    a.pruefe([&] { return k.handelsArray.hi() >= k.handelsAnzahl; });
    auto& auftrag = k.routenauftrag;
    a.zahl(auftrag.status, 0, 2);
    for (auto* wert : {&auftrag.flotte, &auftrag.x, &auftrag.y, &auftrag.zielX, &auftrag.zielY}) a.zahl(*wert);
    a.text(auftrag.route);
    a.zeit(k.naechsterScroll);
    a.zeit(k.routenTimer);
    a.zahl(k.kartenBreite, 0);
    a.zahl(k.kartenHoehe, 0);
    a.zahl(k.gewaehlteFlotte, 0);
    a.zahl(k.gewaehltesSchiff, 0);
    for (int t = 1; t <= 8; ++t) a.zahl(k.gewaehlteTypen(t));
    a.zeit(k.naechsterFlugschritt);
    a.zahl(k.kolonieschiff, 0);
    a.zahl(k.angriffsschiff, 0);
    a.text(k.angriffsziel);
    a.text(k.angriffsschaden);
    a.zahl(k.abdockFlotte, 0);
    a.zahl(k.systemTab);
    a.zahl(k.forschungsKategorie);
    a.zahl(k.katalogOffen);
    a.zahl(k.hangarSchiff, 0);
    a.zahl(k.hangarFlotte, 0);
    a.zahl(k.hangarSeite);
    a.zahl(k.flottenSeite);
}

// Checks the envelope; on success `rest` is what the checksum covers.
Lesefehler umschlagLesen(std::string_view datei, std::string_view& rest)
{
    if (datei.size() < kAnfang || std::memcmp(datei.data(), kMagie, sizeof kMagie) != 0)
        return Lesefehler::Beschaedigt;
    Leser vorspann(datei.substr(8), 0.0);
    const std::uint32_t version = vorspann.u32();
    if (version > kSpielstandVersion) return Lesefehler::NeuereVersion;
    if (version == 0 || datei.size() < kUmschlag) return Lesefehler::Beschaedigt;
    const std::uint64_t laenge = vorspann.u64();
    const std::uint32_t summe = vorspann.u32();
    rest = datei.substr(kUmschlag);
    if (laenge != rest.size() || summe != pruefsumme(rest)) return Lesefehler::Beschaedigt;
    return Lesefehler::Keiner;
}

}  // namespace

std::string spielstandSchreiben(const Spielstand& spiel, double jetzt, std::int64_t gespeichertUm)
{
    Spielstandkopf kopf{gespeichertUm, spiel.Sternanzahl, spiel.wirtschaft.spieltag, spiel.wirtschaft.geld, 0};
    for (int i = 1; i <= spiel.Sternanzahl; ++i)
        if (spiel.systeme.besitzer(i) == spiel.eigenerSpieler) ++kopf.eigeneSysteme;

    Schreiber a(jetzt);
    a.out.append(kMagie, sizeof kMagie);
    a.u32(kSpielstandVersion);
    a.u64(0);  // length and checksum, filled in below
    a.u32(0);
    kopfFelder(a, kopf);
    spielFelder(a, spiel);

    std::string_view rest(a.out);
    rest.remove_prefix(kUmschlag);
    Schreiber umschlag(0.0);
    umschlag.u64(rest.size());
    umschlag.u32(pruefsumme(rest));
    a.out.replace(kAnfang, umschlag.out.size(), umschlag.out);
    return std::move(a.out);
}

Lesefehler spielstandKopfLesen(std::string_view datei, Spielstandkopf& kopf)
{
    std::string_view rest;
    const Lesefehler fehler = umschlagLesen(datei, rest);
    if (fehler != Lesefehler::Keiner) return fehler;
    Leser a(rest, 0.0);
    kopfFelder(a, kopf);
    return a.ok() ? Lesefehler::Keiner : Lesefehler::Beschaedigt;
}

Lesefehler spielstandLesen(std::string_view datei, double jetzt, Spielstand& ziel)
{
    std::string_view rest;
    const Lesefehler fehler = umschlagLesen(datei, rest);
    if (fehler != Lesefehler::Keiner) return fehler;
    Leser a(rest, jetzt);
    Spielstandkopf kopf;
    kopfFelder(a, kopf);
    spielFelder(a, ziel);
    return a.amEnde() && spielstandMoeglich(ziel) ? Lesefehler::Keiner : Lesefehler::Beschaedigt;
}

}  // namespace qz
