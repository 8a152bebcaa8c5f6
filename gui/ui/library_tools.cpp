// Numeric, stream and system routines of the control library.
#include "gui/ui/library_tools.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QUuid>

#include <limits>

#include "gui/ui/sound_player.h"

namespace kvt::gui {

std::uint32_t ReverseBytes(std::uint32_t v) {
    return ((v & 0xFFu) << 24) | ((v & 0xFF00u) << 8) | ((v >> 8) & 0xFF00u) | (v >> 24);
}

std::string IncludeTrailingDelimiter(const std::string& path) {
    if (path.empty()) return path;
    const char last = path.back();
    if (last == '\\' || last == '/') return path;
    return path + "\\";
}

QString GetUniqueTempFileName() {
    QString dir = QDir::tempPath();
    if (!dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1Char('\\'))) dir += QLatin1Char('/');
    return dir + QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
}

QRect CenterRect(int itemWidth, int itemHeight, int boxWidth, int boxHeight) {
    const int left = Max(0, boxWidth / 2 - itemWidth / 2);
    const int right = Min(left + itemWidth, left + boxWidth);
    const int top = Max(0, boxHeight / 2 - itemHeight / 2);
    const int bottom = Min(top + itemHeight, top + boxHeight);
    return QRect(left, top, right - left, bottom - top);
}

void WriteTextLine(std::ostream& stream, const std::string& s) {
    stream << s;
    if (s.size() < 2 || s.compare(s.size() - 2, 2, "\r\n") != 0) stream << "\r\n";
}

bool WriteStringToStream(std::ostream& stream, const std::string& s) {
    if (s.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
    const auto n = static_cast<std::uint32_t>(s.size());
    const char len[4] = {static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                         static_cast<char>((n >> 16) & 0xFF), static_cast<char>((n >> 24) & 0xFF)};
    stream.write(len, 4);
    stream.write(s.data(), static_cast<std::streamsize>(s.size()));
    return static_cast<bool>(stream);
}

bool ReadStringFromStream(std::istream& stream, std::string& s) {
    unsigned char len[4];
    if (!stream.read(reinterpret_cast<char*>(len), 4)) return false;
    const auto bits = static_cast<std::uint32_t>(len[0]) | (static_cast<std::uint32_t>(len[1]) << 8) |
                      (static_cast<std::uint32_t>(len[2]) << 16) | (static_cast<std::uint32_t>(len[3]) << 24);
    const auto n = static_cast<std::int32_t>(bits);
    if (n < 0) return false;  // "Invalid string header read from the stream"
    if (n == 0) {
        s.clear();
        return true;
    }
    // A length from the stream is checked against what remains before anything is allocated.
    const std::istream::pos_type here = stream.tellg();
    if (here != std::istream::pos_type(-1)) {
        stream.seekg(0, std::ios::end);
        const std::istream::pos_type end = stream.tellg();
        stream.seekg(here);
        if (end == std::istream::pos_type(-1) || end - here < static_cast<std::streamoff>(n)) return false;
        std::string buf(static_cast<std::size_t>(n), '\0');
        if (!stream.read(buf.data(), n)) return false;
        s = std::move(buf);
        return true;
    }
    // An unseekable stream is read in pieces, so a false length fails at its end, not in the allocator.
    std::string buf;
    std::int32_t left = n;
    char chunk[4096];
    while (left > 0) {
        const std::int32_t want = left < 4096 ? left : 4096;
        if (!stream.read(chunk, want)) return false;
        buf.append(chunk, static_cast<std::size_t>(want));
        left -= want;
    }
    s = std::move(buf);
    return true;
}

bool PumpOneMessage() {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    // AllEvents without WaitForMoreEvents: one pass, never blocking.
    return QCoreApplication::instance() && dispatcher && dispatcher->processEvents(QEventLoop::AllEvents);
}

void PumpMessages() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void PlaySoundFile(const std::string& name, std::uintptr_t, std::uint32_t) { PlaySoundFile(name); }

unsigned GetShiftStateNow() {
    const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    unsigned s = 0;
    if (m & Qt::ShiftModifier) s |= static_cast<unsigned>(TShiftStateFlag::ssShift);
    if (m & Qt::AltModifier) s |= static_cast<unsigned>(TShiftStateFlag::ssAlt);
    if (m & Qt::ControlModifier) s |= static_cast<unsigned>(TShiftStateFlag::ssCtrl);
    return s;
}

TWindowsVersionFlags ComputeVersionFlags(TPlatformFamily family, int major, int minor, int build) {
    TWindowsVersionFlags f;
    const bool nine = family == TPlatformFamily::Win9x;
    const bool nt = family == TPlatformFamily::NT;
    f.IsWin95 = nine;
    f.IsWin95OSR2 = nine && build >= 1000;
    f.IsWinNT = nt;
    f.IsWin2000 = nt && major >= 5;
    f.IsWinNTUp = nt || f.IsWin2000;
    f.IsWin98 = nine && minor > 0;
    f.IsWinME = nine && minor >= 90;
    f.IsWinXP = nt && major == 5 && minor == 1;
    f.IsWinXPUp = nt && major >= 5 && minor >= 1;
    f.LoadsVisualStyles = nt && ((major == 5 && minor >= 1) || major >= 6);
    return f;
}

const TWindowsVersionFlags& WindowsVersion() {
    static const TWindowsVersionFlags flags = ComputeVersionFlags(TPlatformFamily::NT, 5, 1, 2600);
    return flags;
}

}  // namespace kvt::gui
