// The common base of the check and radio items: a themed control with a caption of its own,
// an optional transparent background, a text-drawing style, the flat colour scheme and an
// accelerator key taken from the caption. Descendants paint and decide what "checked" means.
#pragma once

#include <QString>

#include "gui/platform/form.h"
#include "gui/ui/canvas_utils.h"
#include "gui/ui/control_events.h"
#include "gui/ui/money_flat.h"
#include "gui/ui/themed_control.h"

namespace kvt::gui {

class TElButtonControl : public TEventControl, public TDialogKeyTarget, public TMoneyFlatLook {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int TextDrawType READ TextDrawTypeValue WRITE SetTextDrawTypeValue)
    Q_PROPERTY(bool MoneyFlat READ MoneyFlat WRITE SetMoneyFlat)
    Q_PROPERTY(uint MoneyFlatActiveColor READ MoneyFlatActiveColor WRITE SetMoneyFlatActiveColor)
    Q_PROPERTY(uint MoneyFlatInactiveColor READ MoneyFlatInactiveColor WRITE SetMoneyFlatInactiveColor)
    Q_PROPERTY(uint MoneyFlatDownColor READ MoneyFlatDownColor WRITE SetMoneyFlatDownColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
public:
    explicit TElButtonControl(QWidget* parent = nullptr);

    const QString& Caption() const { return caption_; }
    // Stores a different text and tells the control (TextChanged); an equal text changes nothing.
    void SetCaption(const QString& text);

    virtual bool GetChecked() const = 0;
    virtual void SetChecked(bool value) = 0;

    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    TElTextDrawType TextDrawType() const { return textDrawType_; }
    void SetTextDrawType(TElTextDrawType value);
    bool ShowFocusCue() const { return showFocusCue_; }
    bool ShowAccelCue() const { return showAccelCue_; }

    // Before the NT 5 family both answer true; after it, the cue flags (always true).
    bool DrawsFocusRect() const;
    bool DrawsAccelerators() const;

    // A new control has a colour of its own (clBtnFace) and its parent's font and font colour.
    bool ParentColor() const { return look_.ParentColor(); }
    void SetParentColor(bool value) { look_.SetParentColor(value); }
    bool ParentFont() const { return look_.ParentFont(); }
    void SetParentFont(bool value) { look_.SetParentFont(value); }

    // The control's click: descendants change their state here, then raise OnClick.
    virtual void Click();

    // The dialog's accelerator handling: the caption's letter clicks the control when it can take
    // the focus (visible and enabled).
    bool DialogChar(QChar key) override;

protected:
    QString ThemeClassName() const override { return QStringLiteral("BUTTON"); }
    // The caption changed: descendants re-measure and repaint.
    virtual void TextChanged() { update(); }
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void ColorChanged() override;
    void FontColorChanged() override;
    void ParentColorChanged() override { look_.AdoptColor(); }
    void ParentFontChanged() override { look_.AdoptFont(); }

private:
    int TextDrawTypeValue() const { return static_cast<int>(textDrawType_); }
    void SetTextDrawTypeValue(int v) { SetTextDrawType(static_cast<TElTextDrawType>(v)); }

    QString caption_;
    bool transparent_ = false;
    TElTextDrawType textDrawType_ = tdtNormal;
    bool showFocusCue_ = true;
    bool showAccelCue_ = true;
    TParentLook look_{this};
};

}  // namespace kvt::gui
