#pragma once

// Whole sessions of the calculator as data: the bytes typed and the bytes the
// program must print, typed out from its texts. The same cases drive the
// dialogue in-process and the built program through a pipe.

#include <ostream>
#include <string>
#include <vector>

namespace veldra::test {

struct Transcript {
  const char* name;
  std::string input;
  std::string expected;
};

inline void PrintTo(const Transcript& t, std::ostream* os) { *os << t.name; }

inline const std::string kMenu =
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

inline const std::string kPause = "weiter mit bel.Taste..";
inline const std::string kAskNr = "Nr.des Biegefalls\nNr= ";
inline const std::string kNoSuchCase = "\n!Biegefall gibt's nicht!\n";
inline const std::string kAskF = "Kraft/Moment/Streckenl.\nF/M/q/q1/q2= ";
inline const std::string kAskLEIy = "Laenge,E-Mo.,Traegheitsm.\nL = \nE = \nIy= ";
inline const std::string kAskA = "Abstand\na= ";
inline const std::string kAskX = "Koordinate\nx= ";
inline const std::string kAskXq = "\nxq= ";

// What key w prints, values as "%f" shows them, without the pause.
inline std::string values(const std::string& F, const std::string& L, const std::string& a,
                          const std::string& E, const std::string& Iy, const std::string& x,
                          const std::string& xq) {
  return "momentan def. Werte:\nF/M/q/q2 = " + F + "\nLaenge L = " + L + "\nAbstand a= " + a +
         "\nE-Modul E= " + E + "\nIy= " + Iy + "\nx = " + x + "\nxq= " + xq + "\n";
}

inline const std::string kZero = "0.000000";
inline const std::string kAllZero = values(kZero, kZero, kZero, kZero, kZero, kZero, kZero);

inline const std::string kCatalogue1 =
    "+Fall 1:Lager bei A u. B, Kraft in der Mitte\n"
    "+Fall 2:Lager bei A u. B, Kraft aussermittig\n"
    "+Fall 31:Lager bei A u. B,Moment um A\n"
    "+Fall 32:Lager bei A u. B,Moment um B\n"
    "+Fall 4:Lager bei A u. B, Gleichstreckenlast\n";
inline const std::string kCatalogue2 =
    "+Fall 5:Lager bei A u. B, Dreieckslast aufst.\n"
    "+Fall 6:Einsp bei B,Kraft bei A\n"
    "+Fall 7:Einsp bei B,Moment um A\n"
    "+Fall 8:Einsp bei B,Gleichstreckenlast\n"
    "+Fall 9:Einsp bei B,Dreickslast aufst.\n";
inline const std::string kCatalogue3 =
    "+Fall 10:Einsp bei B,Dreieckslast abfall.\n"
    "+Fall 11:Kragtraeger,Lager bei A u. B,Kraft am Kragende C\n"
    "+Fall 12:Kragtraeger,Lager bei A u. B,Gleichstreckenlast am Kragarm\n";

inline std::string menus(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += kMenu;
  return text;
}

// The sessions of the menu, value entry and display, and information texts.
inline std::vector<Transcript> dialogueTranscripts() {
  std::vector<Transcript> t = {
      {"end_of_input_at_start", "", kMenu},
      {"q_ends_and_ignores_the_rest", "qw", kMenu},
      {"w_at_start_shows_zeros", "w q", kMenu + kAllZero + kPause + kMenu},
      {"g_at_start_prints_header_for_case_0", "g q",
       kMenu + "Ergebnisse Biegefall 0\n" + kPause + kMenu},
      {"upper_case_keys_only_bring_the_menu", "QGWNq", menus(5)},
      {"function_key_f1_is_three_codes", "\x1bOPq", menus(4)},
      {"function_key_f5_is_five_codes", "\x1b[15~q", menus(6)},
      {"escape_code_followed_by_a_command", "\x1bwxq", kMenu + kMenu + kAllZero + kPause + kMenu},
      {"l_takes_three_values_from_one_line", "l3 1 1\nw q",
       kMenu + kAskLEIy + kMenu +
           values(kZero, "3.000000", kZero, "1.000000", "1.000000", kZero, kZero) + kPause + kMenu},
      {"l_one_value_a_line", "l2.5\n210000\n1e-4\nw q",
       kMenu + kAskLEIy + kMenu +
           values(kZero, "2.500000", kZero, "210000.000000", "0.000100", kZero, kZero) + kPause +
           kMenu},
      {"f_and_a", "f-12.5\na0.75\nw q",
       kMenu + kAskF + kMenu + kAskA + kMenu +
           values("-12.500000", kZero, "0.750000", kZero, kZero, kZero, kZero) + kPause + kMenu},
      {"x_asks_xq_for_case_11", "n11\nx1\n2\nw q",
       kMenu + kAskNr + kMenu + kAskX + kAskXq + kMenu +
           values(kZero, kZero, kZero, kZero, kZero, "1.000000", "2.000000") + kPause + kMenu},
      {"x_asks_xq_for_case_12", "n12\nx1 2\nw q",
       kMenu + kAskNr + kMenu + kAskX + kAskXq + kMenu +
           values(kZero, kZero, kZero, kZero, kZero, "1.000000", "2.000000") + kPause + kMenu},
      {"x_keeps_xq_for_other_cases", "n11\nx1\n2\nn2\nx5\nw q",
       kMenu + kAskNr + kMenu + kAskX + kAskXq + kMenu + kAskNr + kMenu + kAskX + kMenu +
           values(kZero, kZero, kZero, kZero, kZero, "5.000000", "2.000000") + kPause + kMenu},
      {"changing_nr_does_not_ask_xq", "x4\nn11\nw q",
       kMenu + kAskX + kMenu + kAskNr + kMenu +
           values(kZero, kZero, kZero, kZero, kZero, "4.000000", kZero) + kPause + kMenu},
      {"b_pages_with_three_waits", "bxyzq",
       kMenu + kCatalogue1 + kPause + kCatalogue2 + kPause + kCatalogue3 + kPause + kMenu},
      {"i_shows_banner_and_waits", "i q",
       kMenu +
           "VELDRA,Fachbereich Bauingenieurwesen,Technische Hochschule Prof. N.N.,09.12.2026\n" +
           kPause + kMenu},
      {"information_keeps_values", "f7\nbabci w q",
       kMenu + kAskF + kMenu + kCatalogue1 + kPause + kCatalogue2 + kPause + kCatalogue3 + kPause +
           kMenu +
           "VELDRA,Fachbereich Bauingenieurwesen,Technische Hochschule Prof. N.N.,09.12.2026\n" +
           kPause + kMenu + values("7.000000", kZero, kZero, kZero, kZero, kZero, kZero) + kPause +
           kMenu},
      {"n_failed_read_at_start_is_rejected", "nabc\nkq", kMenu + kAskNr + kNoSuchCase + kMenu},
      {"n_failed_read_after_a_case_is_silent", "n2\nnabc\nq",
       kMenu + kAskNr + kMenu + kAskNr + kMenu},
      {"n_overlong_number_is_rejected", "n99999999999\nkg q",
       kMenu + kAskNr + kNoSuchCase + kMenu + "Ergebnisse Biegefall 2147483647\n" + kPause + kMenu},
      {"rejected_case_stays_for_g", "n99\nkg q",
       kMenu + kAskNr + kNoSuchCase + kMenu + "Ergebnisse Biegefall 99\n" + kPause + kMenu},
      {"rejected_case_3_prints_header_only", "n3\nkg q",
       kMenu + kAskNr + kNoSuchCase + kMenu + "Ergebnisse Biegefall 3\n" + kPause + kMenu},
      {"end_of_input_in_a_pause", "w", kMenu + kAllZero + kPause},
      {"end_of_input_in_a_catalogue_page", "bx",
       kMenu + kCatalogue1 + kPause + kCatalogue2 + kPause},
      {"end_of_input_in_the_middle_of_a_number", "f12", kMenu + kAskF + kMenu},
      {"end_of_input_before_the_case_number", "n", kMenu + kAskNr + kNoSuchCase},
      {"end_of_input_after_the_span", "l3", kMenu + kAskLEIy + kMenu},
      {"special_values_read_and_print", "f0x1p4\nl inf -inf\n1e999\nanan\nx-nan\nw q",
       kMenu + kAskF + kMenu + kAskLEIy + kMenu + kAskA + kMenu + kAskX + kMenu +
           values("16.000000", "inf", "nan", "-inf", "inf", "nan", kZero) + kPause + kMenu},
      {"pending_value_serves_the_next_command", "n2 5\nfw q",
       kMenu + kAskNr + kMenu + kAskF + kMenu +
           values("5.000000", kZero, kZero, kZero, kZero, kZero, kZero) + kPause + kMenu},
  };
  for (const char* nr : {"3", "0", "-1", "13", "30", "33"}) {
    t.push_back(
        {"n_rejects", std::string("n") + nr + "\nkq", kMenu + kAskNr + kNoSuchCase + kMenu});
  }
  for (const char* nr : {"1", "12", "31", "32"}) {
    t.push_back({"n_accepts", std::string("n") + nr + "\nq", kMenu + kAskNr + kMenu});
  }
  return t;
}

// Whole reports of key g, one or more per family of load cases. Expected
// numbers come from an independent evaluation of the handbook formulas.
inline std::vector<Transcript> reportTranscripts() {
  // Types the values one command at a time, then computes: n, f, l, a, x.
  auto session = [](const std::string& nr, const std::string& F, const std::string& LEIy,
                    const std::string& a, const std::string& x) {
    return "n" + nr + "\nf" + F + "\nl" + LEIy + "\na" + a + "\nx" + x + "\ng q";
  };
  const std::string prompts =
      kMenu + kAskNr + kMenu + kAskF + kMenu + kAskLEIy + kMenu + kAskA + kMenu + kAskX + kMenu;
  const std::string overhangPrompts = kMenu + kAskNr + kMenu + kAskF + kMenu + kAskLEIy + kMenu +
                                      kAskA + kMenu + kAskX + kAskXq + kMenu;
  const std::string end = kPause + kMenu;
  // Case 2 with the force at a = 2.5 on L = 4: the same lines on either side.
  const std::string case2Head =
      "Ergebnisse Biegefall 2\n"
      "f     = 11.718750\n"
      "fm    = 12.265413\n"
      "xm    = 2.140872\n"
      "alphaA= 8.593750\n"
      "alphaB= 10.156250\n";
  return {
      {"case_1_force_at_mid_span", session("1", "48", "1 1 1", "0", "0.5"),
       prompts +
           "Ergebnisse Biegefall 1\n"
           "fm    = 1.000000\n"
           "alphaA= 3.000000\n"
           "alphaB= 3.000000\n"
           "w(x=0.500000)= 1.000000\n" +
           end},
      {"case_1_right_half_mirrors_left", session("1", "48", "1 1 1", "0", "0.75"),
       prompts +
           "Ergebnisse Biegefall 1\n"
           "fm    = 1.000000\n"
           "alphaA= 3.000000\n"
           "alphaB= 3.000000\n"
           "w(x=0.750000)= 0.687500\n" +
           end},
      {"case_31_moment_at_a", session("31", "4", "2 1 1", "0", "0.5"),
       prompts +
           "Ergebnisse Biegefall 31\n"
           "f(1.000000)= 1.000000\n"
           "fm    = 1.026400\n"
           "xm    = 0.845299\n"
           "alphaA= 2.666667\n"
           "alphaB= 1.333333\n"
           "w(x=0.500000)= 0.875000\n" +
           end},
      {"case_32_moment_at_b", session("32", "4", "2 1 1", "0", "0.5"),
       prompts +
           "Ergebnisse Biegefall 32\n"
           "f(1.000000)= 1.000000\n"
           "fm    = 1.026400\n"
           "xm    = 1.154701\n"
           "alphaA= 1.333333\n"
           "alphaB= 2.666667\n"
           "w(0.500000)= 0.625000\n" +
           end},
      // Mid-span and its deflection differ here, so that swapping them shows.
      {"case_31_mid_span_line", session("31", "3", "4 2 1", "0", "1"),
       prompts +
           "Ergebnisse Biegefall 31\n"
           "f(2.000000)= 1.500000\n"
           "fm    = 1.539601\n"
           "xm    = 1.690599\n"
           "alphaA= 2.000000\n"
           "alphaB= 1.000000\n"
           "w(x=1.000000)= 1.312500\n" +
           end},
      {"case_32_mid_span_line", session("32", "3", "4 2 1", "0", "1"),
       prompts +
           "Ergebnisse Biegefall 32\n"
           "f(2.000000)= 1.500000\n"
           "fm    = 1.539601\n"
           "xm    = 2.309401\n"
           "alphaA= 1.000000\n"
           "alphaB= 2.000000\n"
           "w(1.000000)= 0.937500\n" +
           end},
      {"case_2_under_the_force_prints_both_pieces", session("2", "3", "3 1 1", "1", "1"),
       prompts +
           "Ergebnisse Biegefall 2\n"
           "f     = 1.333333\n"
           "fm    = 1.451549\n"
           "xm    = 1.367007\n"
           "alphaA= 1.666667\n"
           "alphaB= 1.333333\n"
           "wI(x=1.000000)= 1.333333\n"
           "wII(x=1.000000)= 1.333333\n" +
           end},
      {"case_2_left_of_the_force", session("2", "10", "4 1 1", "2.5", "0.75"),
       prompts + case2Head + "wI(x=0.750000)= 6.181641\n" + end},
      {"case_2_right_of_the_force", session("2", "10", "4 1 1", "2.5", "3.5"),
       prompts + case2Head + "wII(x=3.500000)= 4.947917\n" + end},
      {"case_4_uniform_load", session("4", "384", "1 1 1", "0", "0.25"),
       prompts +
           "Ergebnisse Biegefall 4\n"
           "fm    = 5.000000\n"
           "alphaA= 16.000000\n"
           "alphaB= 16.000000\n"
           "w(0.250000)= 3.562500\n" +
           end},
      {"case_5_triangular_load", session("5", "384", "1 1 1", "0", "0.25"),
       prompts +
           "Ergebnisse Biegefall 5\n"
           "fm    = 2.504892\n"
           "xm    = 0.519000\n"
           "alphaA= 7.466667\n"
           "alphaB= 8.533333\n"
           "w(0.250000)= 1.703125\n" +
           end},
      {"case_6_cantilever_force", session("6", "5", "2 3 0.5", "0", "0.5"),
       prompts +
           "Ergebnisse Biegefall 6\n"
           "f     = 8.888889\n"
           "alphaA= 6.666667\n"
           "w(0.500000)= 5.625000\n" +
           end},
      {"case_7_cantilever_moment", session("7", "5", "2 3 0.5", "0", "0.5"),
       prompts +
           "Ergebnisse Biegefall 7\n"
           "f     = 6.666667\n"
           "alphaA= 6.666667\n"
           "w(0.500000)= 3.750000\n" +
           end},
      {"case_8_cantilever_uniform_load", session("8", "5", "2 3 0.5", "0", "0.5"),
       prompts +
           "Ergebnisse Biegefall 8\n"
           "f     = 6.666667\n"
           "alphaA= 4.444444\n"
           "w(0.500000)= 4.453125\n" +
           end},
      {"case_9_cantilever_rising_load", session("9", "5", "2 3 0.5", "0", "0.5"),
       prompts +
           "Ergebnisse Biegefall 9\n"
           "f     = 1.777778\n"
           "alphaA= 1.111111\n"
           "w(0.500000)= 1.222656\n" +
           end},
      {"case_10_cantilever_falling_load", session("10", "5", "2 3 0.5", "0", "0.5"),
       prompts +
           "Ergebnisse Biegefall 10\n"
           "f     = 4.888889\n"
           "alphaA= 3.333333\n"
           "w(0.500000)= 3.230469\n" +
           end},
      {"case_11_overhang_force", session("11", "6", "3 2 1", "1.5", "1\n0.5"),
       overhangPrompts +
           "Ergebnisse Biegefall 11\n"
           "f = 10.125000\n"
           "fm= 2.598076\n"
           "xm= 1.732051\n"
           "alpha = 7.875000\n"
           "alphaA= 2.250000\n"
           "alphaB= 4.500000\n"
           "w(x =1.000000)= -2.000000\n"
           "w(xq=0.500000)= 2.750000\n" +
           end},
      {"case_12_overhang_uniform_load", session("12", "6", "3 2 1", "1.5", "1 0.5"),
       overhangPrompts +
           "Ergebnisse Biegefall 12\n"
           "f = 6.960938\n"
           "fm= 1.948557\n"
           "xm= 1.732051\n"
           "alpha = 5.062500\n"
           "alphaA= 1.687500\n"
           "alphaB= 3.375000\n"
           "w(x =1.000000)= -1.500000\n"
           "w(xq=0.500000)= 2.023438\n" +
           end},
      {"two_reports_in_a_row_agree", "n7\nf2\nl3 1 1\ngxg q",
       kMenu + kAskNr + kMenu + kAskF + kMenu + kAskLEIy + kMenu +
           "Ergebnisse Biegefall 7\nf     = 9.000000\nalphaA= 6.000000\nw(0.000000)= 9.000000\n" +
           kPause + kMenu +
           "Ergebnisse Biegefall 7\nf     = 9.000000\nalphaA= 6.000000\nw(0.000000)= 9.000000\n" +
           end},
      // The typical run: 10 kN at 1.5 m on a 4 m IPE 300 of steel, in N and mm.
      {"typical_run_case_2", "n2\nf10000\nl4000 210000 8.356e7\na1500\nx2000\nw g q",
       prompts +
           values("10000.000000", "4000.000000", "1500.000000", "210000.000000", "83560000.000000",
                  "2000.000000", kZero) +
           kPause + kMenu +
           "Ergebnisse Biegefall 2\n"
           "f     = 0.667826\n"
           "fm    = 0.698980\n"
           "xm    = 1859.127904\n"
           "alphaA= 0.000579\n"
           "alphaB= 0.000490\n"
           "wII(x=2000.000000)= 0.694539\n" +
           end},
  };
}

}  // namespace veldra::test
