#pragma once
// Flag artwork drawn in code: the warning dialog's two 24 x 14 flags and the
// main window's two 30 x 24 pictures of round flag badges.
#include "widgets/Picture.h"

namespace tw {

enum class FlagPicture {
    UnitedKingdom,   // 24 x 14, warning dialog's "&English"
    France,          // 24 x 14, warning dialog's "&Fran\u00E7ais"
    EnglishBadges,   // 30 x 24: United Kingdom, Canada, United States badges
    FrenchBadges,    // 30 x 24: Belgium, Switzerland, Quebec, France badges
};

Picture flagPicture(FlagPicture which);

} // namespace tw
