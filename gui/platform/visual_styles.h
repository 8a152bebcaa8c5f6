// The visual-styles service that themed controls draw through. This platform has none: the
// installed service reports no theme, and every control draws its own style (in the tests too).
#pragma once

#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

#include "gui/platform/colors.h"

class QWidget;

namespace kvt::gui {

using HTHEME = std::uintptr_t;  // 0 = no theme handle

constexpr std::int32_t S_OK = 0;
constexpr std::int32_t E_NOTIMPL = static_cast<std::int32_t>(0x80004001u);
constexpr int TS_MIN = 0;
constexpr int TS_TRUE = 1;
constexpr int TS_DRAW = 2;

// The entry points the controls call. A service that lacks one of them answers it with E_NOTIMPL
// (or no handle), which sends the caller back to its own drawing.
class IVisualStyles {
public:
    virtual ~IVisualStyles() = default;
    // Whether the service was found at start-up (the library could be loaded).
    virtual bool Loaded() const = 0;
    virtual bool IsThemeActive() = 0;
    virtual HTHEME OpenThemeData(const QWidget* window, const QString& classList) = 0;
    virtual std::int32_t CloseThemeData(HTHEME theme) = 0;
    virtual std::int32_t DrawThemeBackground(HTHEME theme, QPainter& painter, int part, int state, const QRect& rect,
                                             const QRect* clip) = 0;
    virtual std::int32_t DrawThemeText(HTHEME theme, QPainter& painter, int part, int state, const QString& text,
                                       std::uint32_t textFlags, std::uint32_t textFlags2, const QRect& rect) = 0;
    virtual std::int32_t GetThemePartSize(HTHEME theme, QPainter* painter, int part, int state, const QRect* rect,
                                          int sizeKind, QSize& size) = 0;
    virtual std::int32_t GetThemeTextExtent(HTHEME theme, QPainter& painter, int part, int state, const QString& text,
                                            std::uint32_t textFlags, const QRect* bounding, QRect& extent) = 0;
    virtual std::int32_t DrawThemeParentBackground(QWidget* window, QPainter& painter, const QRect* rect) = 0;
    virtual std::int32_t DrawThemeEdge(HTHEME theme, QPainter& painter, int part, int state, const QRect& rect,
                                       std::uint32_t edge, std::uint32_t flags, QRect* contentRect) = 0;
    virtual std::int32_t GetThemeColor(HTHEME theme, int part, int state, int propId, TColor& color) = 0;
    virtual TColor GetThemeSysColor(HTHEME theme, int colorId) = 0;
};

// The service of this platform: never loaded, no theme, every call a harmless refusal.
class NoVisualStyles final : public IVisualStyles {
public:
    bool Loaded() const override { return false; }
    bool IsThemeActive() override { return false; }
    HTHEME OpenThemeData(const QWidget*, const QString&) override { return 0; }
    std::int32_t CloseThemeData(HTHEME) override { return E_NOTIMPL; }
    std::int32_t DrawThemeBackground(HTHEME, QPainter&, int, int, const QRect&, const QRect*) override { return E_NOTIMPL; }
    std::int32_t DrawThemeText(HTHEME, QPainter&, int, int, const QString&, std::uint32_t, std::uint32_t,
                               const QRect&) override {
        return E_NOTIMPL;
    }
    std::int32_t GetThemePartSize(HTHEME, QPainter*, int, int, const QRect*, int, QSize&) override { return E_NOTIMPL; }
    std::int32_t GetThemeTextExtent(HTHEME, QPainter&, int, int, const QString&, std::uint32_t, const QRect*,
                                    QRect&) override {
        return E_NOTIMPL;
    }
    std::int32_t DrawThemeParentBackground(QWidget*, QPainter&, const QRect*) override { return E_NOTIMPL; }
    std::int32_t DrawThemeEdge(HTHEME, QPainter&, int, int, const QRect&, std::uint32_t, std::uint32_t,
                               QRect*) override {
        return E_NOTIMPL;
    }
    std::int32_t GetThemeColor(HTHEME, int, int, int, TColor&) override { return E_NOTIMPL; }
    TColor GetThemeSysColor(HTHEME, int index) override { return GetSysColor(index); }
};

// The service in use (the platform's until another is installed).
IVisualStyles& VisualStyles();
// Installs a service (not owned); nullptr restores the platform's. Meant for start-up and tests:
// controls that already hold handles keep them until they re-open.
void InstallVisualStyles(IVisualStyles* styles);
// Whether the installed service was found, asked once when it was installed (not at every call).
bool VisualStylesLoaded();

}  // namespace kvt::gui
