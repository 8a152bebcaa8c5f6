// Labels: captions of the radio panels, the recessed value read-outs of the manpower dialog and
// the hex read-out of the main window. A label has no window of its own in spirit: it paints over
// whatever its parent painted (unless it is opaque), in one of four text styles (normal, embossed,
// recessed, outlined) with an optional shadow or extrusion, and sizes itself to its text.
#pragma once

#include <QRect>
#include <QString>

#include <cstdint>

#include "gui/ui/alignment.h"
#include "gui/ui/control_events.h"
#include "gui/ui/themed_control.h"

namespace kvt::gui {

enum TElLabelTextStyle { ltsNormal, ltsEmbossed, ltsRecessed, ltsOutlined };
enum TElLabelEffectStyle { lesNone, lesShadow, lesExtrude };
enum TElLabelExtrudePosition {
    lepLeft,
    lepLeftTop,
    lepTop,
    lepRightTop,
    lepRight,
    lepRightBottom,
    lepBottom,
    lepLeftBottom
};

// The label takes the mouse itself, as the class library's labels do: a press on it is not the
// parent's. OnClick comes from a left press released inside, before OnMouseUp; the second press of
// a double click raises OnDblClick and no click.
class TElCustomLabel : public TDragEvents<TElWidget, TElCustomLabel> {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Alignment READ AlignmentValue WRITE SetAlignmentValue)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(int Layout READ LayoutValue WRITE SetLayoutValue)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE SetShowAccelChar)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
public:
    explicit TElCustomLabel(QWidget* parent = nullptr);

    const QString& Caption() const { return caption_; }
    virtual void SetCaption(const QString& text);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // While set, the label shows its parent's colour (setting Color clears it).
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    // The colour the label fills with: its own, or its parent's while ParentColor.
    TColor EffectiveColor() const;

    // Fits the label to its text (and effect), keeping the left edge, or the right edge of a
    // right-aligned label.
    void AdjustBounds();

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnDragOver(QObject* source, int x, int y, kvt::gui::TDragState state, bool* accept);
    void OnDragDrop(QObject* source, int x, int y);
    void OnStartDrag();
    void OnEndDrag(QObject* target, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void ColorChanged() override;
    void changeEvent(QEvent* event) override;
    // The text's flags: alignment, word breaks, tabs, accelerator processing.
    std::uint32_t TextFlags() const;
    // Measures (calc) or draws the caption into rect; a measured rect is returned in rect.
    virtual void DoDrawText(QPainter& p, QRect& rect, std::uint32_t flags, bool calc);

private:
    int AlignmentValue() const { return alignment_; }
    void SetAlignmentValue(int v) { SetAlignment(v == 1 ? taRightJustify : (v == 2 ? taCenter : taLeftJustify)); }
    int LayoutValue() const { return layout_; }
    void SetLayoutValue(int v) { SetLayout(v == 1 ? tlCenter : (v == 2 ? tlBottom : tlTop)); }

    QString caption_;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool transparent_ = false;
    bool parentColor_ = true;
    bool settingParentColor_ = false;
    // A left press on the label that its release inside will make a click.
    bool clicked_ = false;
};

class TElLabel : public TElCustomLabel {
    Q_OBJECT
    Q_PROPERTY(uint DarkColor READ DarkColor WRITE SetDarkColor)
    Q_PROPERTY(uint LightColor READ LightColor WRITE SetLightColor)
    Q_PROPERTY(uint DisabledDarkColor READ DisabledDarkColor WRITE SetDisabledDarkColor)
    Q_PROPERTY(uint DisabledLightColor READ DisabledLightColor WRITE SetDisabledLightColor)
    Q_PROPERTY(int Depth READ Depth WRITE SetDepth)
    Q_PROPERTY(int Effect READ EffectValue WRITE SetEffectValue)
    Q_PROPERTY(int ExtrudePosition READ ExtrudePositionValue WRITE SetExtrudePositionValue)
    Q_PROPERTY(uint FarColor READ FarColor WRITE SetFarColor)
    Q_PROPERTY(uint NearColor READ NearColor WRITE SetNearColor)
    Q_PROPERTY(uint OutlineColor READ OutlineColor WRITE SetOutlineColor)
    Q_PROPERTY(uint ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(bool Striated READ Striated WRITE SetStriated)
    Q_PROPERTY(int Style READ StyleValue WRITE SetStyleValue)
    Q_PROPERTY(int XOffset READ XOffset WRITE SetXOffset)
    Q_PROPERTY(int YOffset READ YOffset WRITE SetYOffset)
public:
    // Each step of an extrusion is a full pass of the text; beyond this many the label would
    // stall every repaint and grow off the dialog.
    static constexpr int kMaxDepth = 64;

    explicit TElLabel(QWidget* parent = nullptr);

    TColor DarkColor() const { return darkColor_; }
    void SetDarkColor(TColor value);
    TColor LightColor() const { return lightColor_; }
    void SetLightColor(TColor value);
    TColor DisabledDarkColor() const { return disabledDarkColor_; }
    void SetDisabledDarkColor(TColor value);
    TColor DisabledLightColor() const { return disabledLightColor_; }
    void SetDisabledLightColor(TColor value);
    int Depth() const { return depth_; }
    // Negative values are refused; values above kMaxDepth are taken as kMaxDepth.
    void SetDepth(int value);
    TElLabelEffectStyle Effect() const { return effect_; }
    void SetEffect(TElLabelEffectStyle value);
    TElLabelExtrudePosition ExtrudePosition() const { return extrudePosition_; }
    void SetExtrudePosition(TElLabelExtrudePosition value);
    TColor FarColor() const { return farColor_; }
    void SetFarColor(TColor value);
    TColor NearColor() const { return nearColor_; }
    void SetNearColor(TColor value);
    TColor OutlineColor() const { return outlineColor_; }
    void SetOutlineColor(TColor value);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value);
    bool Striated() const { return striated_; }
    void SetStriated(bool value);
    TElLabelTextStyle Style() const { return style_; }
    void SetStyle(TElLabelTextStyle value);
    int XOffset() const { return xOffset_; }
    void SetXOffset(int value);
    int YOffset() const { return yOffset_; }
    void SetYOffset(int value);

    // The colour of extrusion step i (1 = nearest the text) of depth steps.
    static TColor ExtrudeColor(TColor nearColor, TColor farColor, int depth, int i, bool striated);
    // The direction of one extrusion step.
    static QPoint ExtrudeDirection(TElLabelExtrudePosition position);

protected:
    void DoDrawText(QPainter& p, QRect& rect, std::uint32_t flags, bool calc) override;

private:
    int EffectValue() const { return effect_; }
    void SetEffectValue(int v) { SetEffect(static_cast<TElLabelEffectStyle>(v < 0 || v > 2 ? 0 : v)); }
    int ExtrudePositionValue() const { return extrudePosition_; }
    void SetExtrudePositionValue(int v) {
        SetExtrudePosition(static_cast<TElLabelExtrudePosition>(v < 0 || v > 7 ? 5 : v));
    }
    int StyleValue() const { return style_; }
    void SetStyleValue(int v) { SetStyle(static_cast<TElLabelTextStyle>(v < 0 || v > 3 ? 0 : v)); }
    void DrawEffect(QPainter& p, const QString& text, const QRect& rect, std::uint32_t flags);
    void DrawStyled(QPainter& p, const QString& text, const QRect& rect, std::uint32_t flags);

    TColor darkColor_ = clBtnShadow;
    TColor lightColor_ = clBtnHighlight;
    TColor disabledDarkColor_ = clBtnShadow;
    TColor disabledLightColor_ = clBtnHighlight;
    int depth_ = 10;
    TElLabelEffectStyle effect_ = lesNone;
    TElLabelExtrudePosition extrudePosition_ = lepRightBottom;
    TColor farColor_ = clBlack;
    TColor nearColor_ = clBlack;
    TColor outlineColor_ = clWhite;
    TColor shadowColor_ = clBtnShadow;
    bool striated_ = false;
    TElLabelTextStyle style_ = ltsNormal;
    int xOffset_ = 2;
    int yOffset_ = 2;
};

}  // namespace kvt::gui
