// A tour through every screen and dialog in the pseudo-language qps, whose every text is 40 %
// longer than the German, bracketed and written with letters code page 437 lacks. On each
// screen every drawn text is checked: outside the brackets only data may stand (names and
// numbers), so a text that bypassed the catalogue shows; a translated text stays inside the
// button or panel it is drawn on and inside its picture; and every character has a glyph.
#include "frame_fixture.hpp"
#include "sprache.hpp"

#include "frame/credits_screen.hpp"
#include "frame/server_texte.hpp"
#include "multiplayer/play/verbindung_unterbrochen.hpp"
#include "multiplayer/session/meldung.hpp"
#include "platform/zeichenprotokoll.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace qz {
namespace {

// What one screen drew, judged when the screen is done.
struct Rundgang : Zeichenprotokoll {
    struct GezeichneterText {
        const Image* ziel;
        int x, y, breite;
        std::string utf8;
        bool alsText;
        int fehlend;
        std::size_t davor;  // pictures and boxes drawn before it
    };
    struct Flaeche {
        const Image* ziel;
        int x, y, breite, hoehe;
    };
    std::vector<GezeichneterText> texte;
    std::vector<Flaeche> flaechen;
    std::set<std::string> daten;  // names that stand on screen untranslated
    // qps: every translated text is bracketed, so the brackets tell it from one that bypassed
    // the catalogue. Any other language: every text drawn as a translated Text must fit.
    bool klammern = true;

    int bildschirme = 0, textzahl = 0;
    std::vector<std::string> fremd, ueberlauf, glyphen, ueberdeckt;

    void text(const Image& ziel, int x, int y, std::string_view utf8, bool alsText, int breite, int fehlend) override
    {
        texte.push_back({&ziel, x, y, breite, std::string(utf8), alsText, fehlend, flaechen.size()});
    }
    void flaeche(const Image& ziel, int x, int y, int breite, int hoehe) override
    {
        flaechen.push_back({&ziel, x, y, breite, hoehe});
    }
    void neu()
    {
        texte.clear();
        flaechen.clear();
    }

    // The words (two letters or more) outside the brackets of the catalogue's texts. A text
    // broken into lines opens its bracket on the first and closes it on the last: `tiefe`
    // carries the depth from one drawn line to the next.
    static std::vector<std::string> woerterAusserhalb(const std::string& utf8, int& tiefe)
    {
        std::vector<std::string> woerter;
        std::string wort;
        auto ende = [&] {
            if (wort.size() >= 2) woerter.push_back(wort);
            wort.clear();
        };
        for (unsigned char c : utf8) {
            if (c == '[') ++tiefe;
            const bool buchstabe = tiefe == 0 && (std::isalpha(c) || c >= 0x80);
            if (buchstabe) wort += static_cast<char>(c);
            else ende();
            if (c == ']' && tiefe > 0) --tiefe;
        }
        ende();
        return woerter;
    }

    // The picture or box seen under the middle of a text: the last one drawn before it there on
    // its target; none when that is a background covering the whole target.
    const Flaeche* unter(const GezeichneterText& t) const
    {
        const int mx = t.x + t.breite / 2, my = t.y + 8;
        for (std::size_t i = t.davor; i-- > 0;) {
            const Flaeche& f = flaechen[i];
            if (f.ziel != t.ziel || f.breite < 16 || f.hoehe < 16) continue;
            if (mx < f.x || mx >= f.x + f.breite || my < f.y || my >= f.y + f.hoehe) continue;
            if (f.x <= 0 && f.y <= 0 && f.x + f.breite >= t.ziel->width && f.y + f.hoehe >= t.ziel->height) return nullptr;
            return &f;
        }
        return nullptr;
    }

    // A text the checks of fit apply to: a translation.
    bool uebersetzt(const GezeichneterText& t) const
    {
        return klammern ? t.utf8.find('[') != std::string::npos : t.alsText;
    }

    void pruefe(const std::string& bildschirm)
    {
        ++bildschirme;
        int tiefe = 0;
        for (const GezeichneterText& t : texte) {
            ++textzahl;
            const std::string wo = bildschirm + ": \"" + t.utf8 + "\"";
            if (klammern)
                for (const std::string& w : woerterAusserhalb(t.utf8, tiefe))
                    if (!daten.count(w)) {
                        fremd.push_back(wo);
                        break;
                    }
            if (t.fehlend > 0) glyphen.push_back(wo);
            if (!uebersetzt(t)) continue;
            bool passt = t.x >= 0 && t.x + t.breite <= t.ziel->width && t.y >= 0 && t.y + 16 <= t.ziel->height;
            std::string rahmen = "the target";
            if (const Flaeche* f = unter(t)) {
                passt = passt && t.x >= f->x && t.x + t.breite <= f->x + f->breite && t.y >= f->y &&
                        t.y + 16 <= f->y + f->hoehe;
                rahmen = std::to_string(f->breite) + " x " + std::to_string(f->hoehe) + " at " + std::to_string(f->x) +
                         "," + std::to_string(f->y);
            }
            if (!passt)
                ueberlauf.push_back(wo + " at " + std::to_string(t.x) + "," + std::to_string(t.y) + " beyond " + rahmen);
        }
        // Two texts on one another: their glyphs, which leave the top and bottom row of their
        // 16 free, meet when their rows overlap by more than 2 pixels.
        for (std::size_t i = 0; i < texte.size(); ++i)
            for (std::size_t j = i + 1; j < texte.size(); ++j) {
                const GezeichneterText &a = texte[i], &b = texte[j];
                if (a.ziel != b.ziel || !(uebersetzt(a) || uebersetzt(b))) continue;
                if (a.x < b.x + b.breite && b.x < a.x + a.breite && a.y < b.y + 14 && b.y < a.y + 14)
                    ueberdeckt.push_back(bildschirm + ": \"" + a.utf8 + "\" and \"" + b.utf8 + "\"");
            }
        neu();
    }
};

struct Tour : FrameFixture {
    Rundgang protokoll;
    test::SpracheFuerTest sprache{QZ_GENERATED_DIR, "qps"};

    void SetUp() override
    {
        FrameFixture::SetUp();
        // The real pictures: their sizes are the buttons and panels the texts must fit.
        loadStartPictures(r, echteAnbindung().bildLaden);
        programm->bildquellen = dateiBildquellen();
        spracheWaehlen("qps");
        setzeZeichenprotokoll(&protokoll);
    }
    void TearDown() override
    {
        setzeZeichenprotokoll(nullptr);
        FrameFixture::TearDown();
    }

    // One more pass drawn afresh, then judged.
    void besuche(const std::string& name, int x = 512, int y = 740)
    {
        protokoll.neu();
        pass(x, y);
        protokoll.pruefe(name);
    }
    void f1()
    {
        platform.typeSpecialKey(kScanF1);
        pass(512, 740);
    }
    // The screen, then its help page over it (drawn once, when it opens).
    void besucheMitHilfe(const std::string& name)
    {
        besuche(name);
        protokoll.neu();
        f1();
        protokoll.pruefe(name + ", F1");
        f1();
        pass(512, 740);
    }

    // From here on the test is the server: the request worker ends, and a request the screens
    // posted is answered by hand, as the multiplayer screens' own tests do.
    void serverSpielen() { stopWorker(*programm); }
    bool offen() { return programm->server.Anfrageoffen == 1; }
    // The systems' names are data, but for the home planets': the game's own word, translated.
    void datenNamen(const Spielstand& spiel)
    {
        for (int i = 1; i <= spiel.Sternanzahl; ++i)
            if (spiel.systeme.name(i) != "Heimatplanet") protokoll.daten.insert(cp437ZuUtf8(spiel.systeme.name(i)));
    }
    void antworte(const std::string& antwort)
    {
        programm->server.Anfrageoffen = 0;
        programm->server.Empfangsdaten = antwort;
    }

    // Every screen and dialog, each judged as it is left; then the counts, and a failure for
    // each finding not named as open.
    void rundgang();
    void auswerten();
};

// The server's chat lines as they come, every name and planet filled in with data the tour
// knows: the server's own wording, each one.
std::string serverzeilenChat()
{
    std::string chat = "#chat-1;-;hallo";
    for (std::string_view muster : bekannteServerzeilen()) {
        std::string zeile(muster);
        for (std::size_t auf; (auf = zeile.find('{')) != std::string::npos;)
            zeile.replace(auf, zeile.find('}', auf) - auf + 1, "Vega");
        chat += ";-;5;-;" + zeile;
    }
    return chat + "-chat#";
}

void Tour::rundgang()
{
    besucheMitHilfe("main menu");

    click(512, 338);  // "Option"
    besucheMitHilfe("options");
    click(512, 230);  // "Zurück"

    click(512, 392);  // "Credits"
    for (int seite = 1; seite <= kCreditsSeiten; ++seite) {
        besuche("credits page " + std::to_string(seite));
        platform.advance(creditsAnzeigedauer(seite) + 0.01);
    }
    besucheMitHilfe("credits");
    click(512, 230);

    click(512, 284);  // "Mehrspieler"
    besucheMitHilfe("multiplayer login");
    serverSpielen();
    Mehrspieler& mp = programm->mehrspieler;
    for (const char* name : {"carla", "bert", "Vega", "hallo", "runde", "Offen"}) protokoll.daten.insert(name);
    for (std::string_view grund : bekannteAblehnungen()) {
        antworte("fehler;;" + std::string(grund));
        besuche("refusal \"" + std::string(grund) + "\"");
        platform.advance(kMeldungsdauer + 0.1);
    }
    mp.LoginName = "carla";
    mp.LoginPasswort = mp.LoginMaske = "*";
    platform.advance(5.0);
    click(512, 340);  // "Login"
    ASSERT_TRUE(offen());
    antworte("loginok");
    besucheMitHilfe("multiplayer menu");

    click(512, 230);  // "Neues Spiel"
    besucheMitHilfe("new channel");
    click(470, 314);  // two players: one seat free for a computer player
    click(470, 314);
    mp.KanalName = "runde";
    click(512, 425);  // "Erstellen"
    ASSERT_EQ(r.Unterzustand, "channel");
    pass(512, 740);
    antworte("channel;;0;;200;;#sid-S1-sid##SP1-,1,carla,0,0-SP1##SP2-,2,-SP2#");
    besucheMitHilfe("lobby");
    click(512, 230);  // "Zurück"

    click(512, 340);  // "Serverliste"
    ASSERT_TRUE(offen());
    antworte("channel_auflisten;;;;;;;;;;;;");
    besucheMitHilfe("no channels");
    click(512, 284);  // "Aktualisieren"
    // Six channels, two pages; the second runs with carla's seat.
    antworte("channel_auflisten;;,id1,id2,id3,id4,id5,id6;;,runde,Vega,runde,Vega,runde,Vega;;,,*,,,,;;"
             ",1,3,1,1,1,1;;,3,3,3,3,3,3;;,150,150,150,150,150,150;;,,1,,,,");
    besucheMitHilfe("channel list");
    click(512, 409);  // the own running game, row 2
    besuche("channel list, a channel chosen");
    click(512, 340);  // "Beitreten"
    ASSERT_EQ(r.Unterzustand, "channel");
    pass(512, 740);
    antworte("channel;;1;;2;;#SP1-,1,carla,3,1-SP1##SP2-,2,bert,4,1-SP2#"
             "#NAM-,Heimatplanet,Vega-NAM##POX-,100,2000-POX##POY-,100,1500-POY##BES-,1,2-BES#"
             "#TYP-,42,42-TYP##ENW-,80,90-ENW##VRS-,60,61-VRS##FOP-,50,51-FOP##HDM-,30,31-HDM##WFT-,45,46-WFT#"
             "#STK-4-STK#");
    pass(512, 740);
    ASSERT_EQ(r.Unterzustand, "");
    ASSERT_EQ(programm->spiel.spielLaeuft, 1);
    datenNamen(programm->spiel);
    antworte(serverzeilenChat());
    besucheMitHilfe("multiplayer map with chat");
    programm->spiel.gewaehltesSystem = 1;
    besuche("multiplayer star system");
    programm->spiel.gewaehltesSystem = 0;
    // The server falls silent: the requests stay unanswered until the notice shows.
    platform.advance(1.0);
    pass(512, 740);
    ASSERT_TRUE(offen());
    platform.advance(kStilleBisHinweis + 1.0);
    ASSERT_TRUE(verbindungUnterbrochen(mp, platform.timer()));
    besuche("server silent");
    antworte("fehler;;Unbekannte Sitzung");
    pass(512, 740);
    besuche("game lost");
    ASSERT_EQ(programm->spiel.spielLaeuft, 0);
    r.Programmzustand = "hauptmenu";
    r.Unterzustand.clear();

    click(512, 230);  // "Sandkasten"
    besucheMitHilfe("sandbox menu");
    click(512, 338);  // "Gegen den Computer"
    besucheMitHilfe("against the computer");
    for (int anzahl = 2; anzahl <= 3; ++anzahl) {
        click(554, 314);  // one computer player more, each with its level box
        besuche("against " + std::to_string(anzahl) + " computer players");
    }
    r.Programmzustand = "sandkasten";
    r.Unterzustand = "hauptmenu";
    click(512, 230);  // "Neues Spiel"
    besucheMitHilfe("new game");
    click(512, 461);  // "Spiel Starten"
    Spielstand& spiel = programm->spiel;
    ASSERT_EQ(spiel.spielLaeuft, 1);
    datenNamen(spiel);
    besucheMitHilfe("star map");

    platform.holdKey(scan::Escape);
    pass(512, 400);
    platform.releaseKey(scan::Escape);
    besucheMitHilfe("sandbox menu in a game");
    click(512, 284);  // "Spiel Laden"
    besuche("load slots");
    click(512, 230);  // "Zurück"
    click(512, 338);  // "Spiel Speichern"
    besuche("save slots");
    click(512, 230);
    click(512, 500);  // "Spiel Beenden"
    besuche("end the game?");
    r.Unterzustand.clear();
    pass(512, 400);

    int heimat = 0;
    for (int i = 1; i <= spiel.Sternanzahl; ++i)
        if (spiel.systeme.typ(i) == 42 && spiel.systeme.besitzer(i) == 1) heimat = i;
    spiel.gewaehltesSystem = heimat;
    // Research far on, each topic just short of its next level: its row's line at its widest.
    for (int t = 1; t <= 12; ++t) {
        ForschungsThema& thema = spiel.forschung.thema(t);
        thema.stufe = 25;
        thema.fortschritt = thema.kosten * thema.stufe - 1;
    }
    for (int tab = 1; tab <= 5; ++tab) {
        besuche("system tab " + std::to_string(spiel.karte.systemTab));
        if (spiel.karte.systemTab == 3)
            for (int kategorie : {76, 106}) {
                click(512, kategorie);
                besuche("research category at " + std::to_string(kategorie));
            }
        click(691, 21);  // the next tab
    }
    besucheMitHilfe("star system");

}

void Tour::auswerten()
{
    std::printf("%s tour: %d screens visited, %d texts drawn, %zu outside the catalogue, %zu overflowing, "
                "%zu with missing glyphs, %zu drawn over another\n",
                qz::sprache().c_str(), protokoll.bildschirme, protokoll.textzahl, protokoll.fremd.size(),
                protokoll.ueberlauf.size(), protokoll.glyphen.size(), protokoll.ueberdeckt.size());
    for (const std::string& befund : protokoll.fremd) ADD_FAILURE() << "outside the catalogue: " << befund;
    for (const std::string& befund : protokoll.ueberlauf) ADD_FAILURE() << "overflows: " << befund;
    for (const std::string& befund : protokoll.glyphen) ADD_FAILURE() << "missing glyphs: " << befund;
    for (const std::string& befund : protokoll.ueberdeckt) ADD_FAILURE() << "drawn over another: " << befund;
    EXPECT_EQ(protokoll.fremd.size(), 0u);
    EXPECT_EQ(protokoll.ueberlauf.size(), 0u);
    EXPECT_EQ(protokoll.glyphen.size(), 0u);
    EXPECT_GT(protokoll.bildschirme, 90);
}

TEST_F(Tour, EveryScreenInQpsDrawsOnlyTranslatedTextThatFitsInGlyphsThatExist)
{
    rundgang();
    auswerten();
}

// English, the language shipped beside German: every translated text fits and has its glyphs.
TEST_F(Tour, EveryScreenInEnglishDrawsTextThatFitsInGlyphsThatExist)
{
    spracheWaehlen("en");
    protokoll.klammern = false;
    rundgang();
    auswerten();
}

// A button grown for its longer label takes a click anywhere it is drawn: just inside either
// end acts, the end itself does not (hit boxes are open). The ends are those the drawing
// recorded, not the hit box's own arithmetic.
TEST_F(Tour, AGrownButtonTakesClicksOnItsWholeDrawnWidthAndNoFurther)
{
    serverSpielen();
    struct Fall {
        const char* zustand;
        const char* unterzustand;
        int y;
        const char* danach;  // Programmzustand/Unterzustand after a click that acts
    };
    const Fall faelle[] = {
        {"sandkasten", "hauptmenu", 326, "multiplayer/computer"},  // "Gegen den Computer"
        {"sandkasten", "hauptmenu", 380, "sandkasten/esc"},        // "Zum Hauptmenü"
        {"multiplayer", "hauptmenu", 434, "multiplayer/esc"},      // "Zum Hauptmenü"
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.zustand) + "/" + fall.unterzustand + " at y " + std::to_string(fall.y));
        const std::string vorher = std::string(fall.zustand) + "/" + fall.unterzustand;
        auto zustand = [&] { return r.Programmzustand + "/" + r.Unterzustand; };
        auto zeigen = [&] {
            r.Programmzustand = fall.zustand;
            r.Unterzustand = fall.unterzustand;
            protokoll.neu();
            pass(0, 0);
        };
        zeigen();
        int x1 = 0, x2 = 0;
        for (const Rundgang::Flaeche& f : protokoll.flaechen)
            if (f.y == fall.y && f.hoehe == 25 && f.x < 512 && f.x + f.breite > 512) {
                x1 = f.x;
                x2 = f.x + f.breite;
            }
        ASSERT_GT(x2 - x1, 156) << "the qps label grows its button";
        for (const auto& [x, wirkt] : {std::pair{x1, false}, {x1 + 1, true}, {x2 - 1, true}, {x2, false}}) {
            zeigen();
            click(x, fall.y + 12);
            EXPECT_EQ(zustand(), wirkt ? fall.danach : vorher) << "a click at x " << x;
        }
    }
    protokoll.neu();
}

}  // namespace
}  // namespace qz
