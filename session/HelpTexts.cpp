#include "session/HelpTexts.h"

namespace orbisk {

namespace {

// The help text comes in five pieces that are joined with nothing between them; the blanks at
// their starts are part of the text and keep the numbered sections apart.
constexpr std::string_view kHelpPieces[] = {
    "   1. HOW TO : Click on 'create' (menu) to make a picture.The identity "
    "of a picture is defined by the combination of a galaxy,solar system,"
    "world,lab,level,effect,fuctions (v1a,v1b), variables (v2,v3,v4),category "
    "and type.",
    " You can change all these options when you click 'origin' (menu). "
    "Each number represents another formula. There are BILLIONS of possible "
    "combinations!   2. GETTING STARTED : open a dat-file,click 'create' "
    "and change the origin-values to make a different picture. You can "
    "also make a random combination but it will take some more time to "
    "create an interesting picture.",
    " When you choose 'quick search' (options-detail-low) only 25% of the "
    "pixels will be generated. A fast way to look for a picture.   3. SHAPE "
    ": Tip:center your picture by using the Up/Down- and Left/Right-buttons. "
    "  4. COLOURS : Tip:when using inverse colours increase the blue/red/green-values. "
    "Although you can change the backgroundcolour in any color you like,"
    "black usually gives the best results.",
    " The darkness of a grey picture can be changed with the red-value. "
    "    5. DATA : Tip:Save the pictures as thumbnails if you don't want "
    "to use to much diskspace. Tip:When you save its data you can always "
    "recreate and edit the picture later!",
    "   6. EXTRA : Tip :When you choose 'preferences-clear-use clearbutton' "
    "you can see how the picture changes when you're editing it. You can "
    "also make a collage of different pictures.   7.RANDOM : click RANDOM "
    "a your computer will make a random combination of a galaxy,solar system,"
    "world,lab,level,effect,category,type,V1A and V1B."};

}  // namespace

std::string hintsHelpText() {
  std::string text;
  for (std::string_view piece : kHelpPieces) text += piece;
  return text;
}

}  // namespace orbisk
