#include "dialogue/texts.h"

#include "dialogue/release.h"

namespace veldra::dialogue {

const std::string_view kMenu =
    "Biegelinie,i Info\n"
    "   b Info der Biegefaelle\n"
    "F1 n Nr. Biegefall\n"
    "F2 f Kraft/Moment/StrLa\n"
    "F3 l Laenge,E-Modul,Iy\n"
    "F4 a Abstand a\n"
    "F5 x Koordinaten x und xq\n"
    "F6 w momentan def. Werte\n"
    "F7 g Berechne\n"
    "F8 q Exit\n";

const std::string_view kBanner =
    "VELDRA,Fachbereich Bauingenieurwesen,Technische Hochschule Prof. N.N.," VELDRA_RELEASE_DATE_DMY
    "\n";

const std::string_view kPausePrompt = "weiter mit bel.Taste..";

const std::string_view kAskCaseNumber = "Nr.des Biegefalls\nNr= ";
const std::string_view kNoSuchCase = "\n!Biegefall gibt's nicht!\n";

const std::string_view kAskLoad = "Kraft/Moment/Streckenl.\nF/M/q/q1/q2= ";
const std::string_view kAskSpan = "Laenge,E-Mo.,Traegheitsm.\nL = ";
const std::string_view kAskModulus = "\nE = ";
const std::string_view kAskSecondMoment = "\nIy= ";
const std::string_view kAskDistance = "Abstand\na= ";
const std::string_view kAskCoordinate = "Koordinate\nx= ";
const std::string_view kAskOverhangCoordinate = "\nxq= ";

const std::string_view kValuesHeading = "momentan def. Werte:\n";
const ValueLabels kValueLabels = {
    .F = "F/M/q/q2 = ",
    .L = "Laenge L = ",
    .a = "Abstand a= ",
    .E = "E-Modul E= ",
    .Iy = "Iy= ",
    .x = "x = ",
    .xq = "xq= ",
};

}  // namespace veldra::dialogue
