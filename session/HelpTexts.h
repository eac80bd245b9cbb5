// The texts of the "Hints and tips" and about windows, the same on every front end: the desktop's
// windows and the page's dialogs show them as they stand here.
#pragma once

#include <string>
#include <string_view>

namespace orbisk {

struct HintsTexts {
  static constexpr std::string_view title = "Orbisk - Hints and tips";  // the window's title
  // The line above the help text.
  static constexpr std::string_view heading =
      "Orbisk is meant to be a userfriendly program.But maybe these hints and tips can be a "
      "help....";
  static constexpr std::string_view contact1 = "Questions and ideas are welcome:";  // first line
  static constexpr std::string_view contact2 = "write to the Orbisk developers.";   // second line
  static constexpr std::string_view close = "&Close";  // the button's caption, mnemonic marked
};

// The help text of the hints window: its five pieces joined with nothing between them.
std::string hintsHelpText();

struct AboutTexts {
  static constexpr std::string_view title = "About Orbisk...";  // the window's title
  static constexpr std::string_view name = "Orbisk";            // the program's name, large
  static constexpr std::string_view version = "Version 4.2";    // the version line
  static constexpr std::string_view credit = "Made by the Orbisk developers.";  // who made it
  static constexpr std::string_view contact1 = HintsTexts::contact1;  // first contact line
  static constexpr std::string_view contact2 = HintsTexts::contact2;  // second contact line
  // How the program may be passed on and where a manual comes from.
  static constexpr std::string_view ordering =
      "Orbisk may be copied and given away freely. To order a printed manual, write to the "
      "Orbisk developers.";
  static constexpr std::string_view ok = "&OK";  // the button's caption, mnemonic marked
};

}  // namespace orbisk
