#include "platform/takt.hpp"

namespace qz {

int faelligeSchritte(double& faellig, double jetzt, double periode, int hoechstens)
{
    if (jetzt < faellig) return 0;
    const double verspaetung = (jetzt - faellig) / periode;
    if (!(verspaetung < hoechstens)) {  // also a period of 0
        faellig = jetzt + periode;
        return hoechstens;
    }
    const int schritte = 1 + static_cast<int>(verspaetung);
    faellig += schritte * periode;
    return schritte;
}

}  // namespace qz
