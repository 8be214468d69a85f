#include "dialogue/texts.h"

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
    "VELDRA,Fachbereich Bauingenieurwesen,Technische Hochschule Prof. N.N.,08.12.2026\n";

const std::array<std::string_view, 3> kCataloguePages = {
    "+Fall 1:Lager bei A u. B, Kraft in der Mitte\n"
    "+Fall 2:Lager bei A u. B, Kraft aussermittig\n"
    "+Fall 31:Lager bei A u. B,Moment um A\n"
    "+Fall 32:Lager bei A u. B,Moment um B\n"
    "+Fall 4:Lager bei A u. B, Gleichstreckenlast\n",

    "+Fall 5:Lager bei A u. B, Dreieckslast aufst.\n"
    "+Fall 6:Einsp bei B,Kraft bei A\n"
    "+Fall 7:Einsp bei B,Moment um A\n"
    "+Fall 8:Einsp bei B,Gleichstreckenlast\n"
    "+Fall 9:Einsp bei B,Dreickslast aufst.\n",

    "+Fall 10:Einsp bei B,Dreieckslast abfall.\n"
    "+Fall 11:Kragtraeger,Lager bei A u. B,Kraft am Kragende C\n"
    "+Fall 12:Kragtraeger,Lager bei A u. B,Gleichstreckenlast am Kragarm\n",
};

const std::string_view kPausePrompt = "weiter mit bel.Taste..";

}  // namespace veldra::dialogue
