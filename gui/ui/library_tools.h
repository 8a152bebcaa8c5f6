// Small routines the control library shares: numbers, temporary file names, strings on streams,
// the keyboard's shift state, a message pump and the flags of the system version the library
// behaves as (its text conversions are in formats/string_utils.h). Stream routines never trust a
// length they read: it is checked against what the stream still holds.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

namespace kvt::gui {

std::uint32_t ReverseBytes(std::uint32_t value);
// Adds "\" unless the path already ends with "\" or "/"; an empty path stays empty.
std::string IncludeTrailingDelimiter(const std::string& path);
// The temporary folder (with a trailing delimiter) and a new lower-case GUID, no extension.
QString GetUniqueTempFileName();
// The item rectangle centred in a box at (0, 0), never starting left of or above it.
QRect CenterRect(int itemWidth, int itemHeight, int boxWidth, int boxHeight);
// Writes s and CR LF, unless s already ends with CR LF.
void WriteTextLine(std::ostream& stream, const std::string& s);
inline bool InRange(int lo, int hi, int x) { return lo <= x && x <= hi; }
inline int Max(int a, int b) { return a > b ? a : b; }
inline int Min(int a, int b) { return a < b ? a : b; }
// A 4-byte little-endian length, then the characters; false when writing fails.
bool WriteStringToStream(std::ostream& stream, const std::string& s);
// The inverse; false on a negative length, a length longer than what remains, or a short read.
bool ReadStringFromStream(std::istream& stream, std::string& s);
// Delivers what is pending without waiting; true when there was something. Qt hands out no
// single event: one pass of the event dispatcher may deliver every event already queued, so this
// is the nearest there is to taking one message off the queue.
bool PumpOneMessage();
// Delivers everything pending, then returns.
void PumpMessages();
// The library's sound call: plays the wave file Name without waiting. Module (where a named
// sound resource would live) and Flags (how to play) have no meaning here: every sound is a
// file, played asynchronously, cutting off the one before.
void PlaySoundFile(const std::string& name, std::uintptr_t module, std::uint32_t flags);

enum class TShiftStateFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
unsigned GetShiftStateNow();

// The system the library behaves as, from its platform family and version.
struct TWindowsVersionFlags {
    bool IsWin95 = false;         // the 9x family
    bool IsWin95OSR2 = false;     // 9x and build at least 1000
    bool IsWinNT = false;
    bool IsWin2000 = false;       // NT and major at least 5
    bool IsWinNTUp = false;       // NT or later
    bool IsWin98 = false;         // 9x and minor above 0
    bool IsWinME = false;         // 9x and minor at least 90
    bool IsWinXP = false;         // NT 5.1 exactly
    bool IsWinXPUp = false;       // NT, major at least 5 and minor at least 1
    bool LoadsVisualStyles = false;  // NT 5.1 or any later version (6.0 included)
};
enum class TPlatformFamily { Win9x, NT };
TWindowsVersionFlags ComputeVersionFlags(TPlatformFamily family, int major, int minor, int build);
// This platform behaves as NT 5.1: focus rectangles and accelerators follow their cue flags,
// and the visual-styles service is looked for (and not found).
const TWindowsVersionFlags& WindowsVersion();

}  // namespace kvt::gui
