// Ordinal and weapon texts shared by the dialogs and the notices.
#include "engine/world/naming.h"

#include "engine/world/globals.h"

namespace kvt {

std::string OrdinalText(int n) {
    const char* suffix = "th ";
    const int lastTwo = (n < 0 ? -n : n) % 100;
    if (lastTwo < 11 || lastTwo > 13) {
        switch (lastTwo % 10) {
            case 1: suffix = "st "; break;
            case 2: suffix = "nd "; break;
            case 3: suffix = "rd "; break;
            default: break;
        }
    }
    return std::to_string(n) + suffix;
}

std::string WeaponName(int kind) {
    static const char* const names[] = {"Muskets",     "Springfields", "Sharps",  "Spencers",
                                        "Shotguns",    "Smoothbores",  "Parrotts", "Whitworths"};
    if (kind < 1 || kind > kWeaponKinds) return {};
    return names[kind - 1];
}

const char* NationName(int nation) {
    switch (nation) {
        case kNationUnion: return "Union";
        case kNationConfederacy: return "Confederacy";
        case kNationFrance: return "France";
        case kNationBritain: return "Britain";
        default: return "";
    }
}

std::string BrigadeEntryText(const TBrigadeRec& b) { return BrigadeEntryText(b, WeaponName(b.Weapon)); }

std::string BrigadeEntryText(const TBrigadeRec& b, const std::string& weapon) {
    std::string typeText;
    switch (b.BrigadeType) {
        case kBrigadeArtillery: typeText = " Arty "; break;
        case kBrigadeInfantry: typeText = " Inf "; break;
        case kBrigadeCavalry: typeText = " Cav "; break;
        default: typeText = " "; break;
    }
    return OrdinalText(b.Ordinal) + GameRec->States[b.HomeState].ShortName.str() + typeText + weapon;
}

}  // namespace kvt
