// A visual-styles service for tests: loaded, every class known, and every call recorded, so the
// themed drawing paths of the controls can be checked on a platform that has no such service.
#pragma once

#include <QStringList>

#include <map>

#include "gui/platform/visual_styles.h"

namespace kvt::testing {

class FakeVisualStyles : public kvt::gui::IVisualStyles {
public:
    // Installs itself for the length of its life.
    FakeVisualStyles();
    ~FakeVisualStyles() override;

    bool Loaded() const override { return true; }
    bool IsThemeActive() override;
    kvt::gui::HTHEME OpenThemeData(const QWidget* window, const QString& classList) override;
    std::int32_t CloseThemeData(kvt::gui::HTHEME theme) override;
    std::int32_t DrawThemeBackground(kvt::gui::HTHEME theme, QPainter& painter, int part, int state, const QRect& rect,
                                     const QRect* clip) override;
    std::int32_t DrawThemeText(kvt::gui::HTHEME theme, QPainter& painter, int part, int state, const QString& text,
                               std::uint32_t flags, std::uint32_t flags2, const QRect& rect) override;
    std::int32_t GetThemePartSize(kvt::gui::HTHEME theme, QPainter* painter, int part, int state, const QRect* rect,
                                  int sizeKind, QSize& size) override;
    std::int32_t GetThemeTextExtent(kvt::gui::HTHEME theme, QPainter& painter, int part, int state,
                                    const QString& text, std::uint32_t flags, const QRect* bounding,
                                    QRect& extent) override;
    std::int32_t DrawThemeParentBackground(QWidget* window, QPainter& painter, const QRect* rect) override;
    std::int32_t DrawThemeEdge(kvt::gui::HTHEME theme, QPainter& painter, int part, int state, const QRect& rect,
                               std::uint32_t edge, std::uint32_t flags, QRect* content) override;
    std::int32_t GetThemeColor(kvt::gui::HTHEME theme, int part, int state, int propId,
                               kvt::gui::TColor& color) override;
    kvt::gui::TColor GetThemeSysColor(kvt::gui::HTHEME theme, int colorId) override;

    // "Open BUTTON", "Close 1", "Background BUTTON 1/2" (class, part/state), "Text BUTTON 1/1 OK".
    QStringList calls;
    int OpenHandles() const { return static_cast<int>(open_.size()); }
    // Classes the style does not know (OpenThemeData answers 0).
    QStringList unknownClasses;
    QSize partSize{17, 17};

private:
    QString ClassOf(kvt::gui::HTHEME theme) const;
    std::map<kvt::gui::HTHEME, QString> open_;
    kvt::gui::HTHEME next_ = 1;
};

}  // namespace kvt::testing
