#pragma once

#include <array>
#include <string_view>

namespace veldra::dialogue {

// The menu, printed before every key wait.
extern const std::string_view kMenu;

// The information banner of key i, one line.
extern const std::string_view kBanner;

// The catalogue of the thirteen load cases as key b pages through it.
extern const std::array<std::string_view, 3> kCataloguePages;

// Printed before a wait for any key.
extern const std::string_view kPausePrompt;

}  // namespace veldra::dialogue
