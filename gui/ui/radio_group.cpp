// Radio groups: generated buttons, their layout in columns, and ItemIndex.
#include "gui/ui/radio_group.h"

#include <QKeyEvent>
#include <QPointer>

#include <algorithm>

namespace kvt::gui {

// ---------------------------------------------------------------------------------------------
// TElGroupButton

TElGroupButton::TElGroupButton(TElCheckItemGroup* group) : TElRadioButton(group), group_(group) {
    hide();
    // The group decides each button's size; a button that sized itself to its caption would
    // leave its row and no longer line up with the others.
    SetAutoSize(false);
    setEnabled(group->isEnabled());
    group->buttons_.Add(this);
    connect(this, &TElButtonControl::OnClick, group, [this]() {
        if (group_) group_->ButtonClicked(this);
    });
}

TElGroupButton::~TElGroupButton() {
    if (group_ && !group_->destroying_) {
        const int i = group_->buttons_.IndexOf(this);
        if (i >= 0) group_->buttons_.Delete(i);
    }
}

bool TElGroupButton::CanModifyCheck() const { return !group_ || group_->CanModify(); }

void TElGroupButton::keyPressEvent(QKeyEvent* event) {
    const QPointer<TElGroupButton> self(this);
    bool taken = false;
    if (!group_ || group_->CanModify() || (event->key() != Qt::Key_Space && event->key() != Qt::Key_Backspace)) {
        TElRadioButton::keyPressEvent(event);
        taken = event->isAccepted();
    }
    // The click's handler may have emptied the group. The group hears of the key once, here.
    if (self && group_) group_->ButtonKeyPressed(event);
    if (taken) event->accept();
}

// ---------------------------------------------------------------------------------------------
// TElCheckItemGroup

TElCheckItemGroup::TElCheckItemGroup(QWidget* parent) : TCustomElGroupBox(parent) {
    items_.OnChange = [this](TStrings::TChange, int) {
        UpdateButtons();
        ArrangeButtons();
    };
    hints_.OnChange = [this](TStrings::TChange, int) { UpdateButtons(); };
}

TElCheckItemGroup::~TElCheckItemGroup() {
    items_.OnChange = nullptr;
    hints_.OnChange = nullptr;
    destroying_ = true;
    while (buttons_.Count() > 0) {
        auto* b = static_cast<TElGroupButton*>(buttons_.Last());
        buttons_.Delete(buttons_.Count() - 1);
        delete b;
    }
}

TElGroupButton* TElCheckItemGroup::Button(int index) const { return static_cast<TElGroupButton*>(buttons_.Get(index)); }

int TElCheckItemGroup::IndexOfButton(const TElGroupButton* button) const {
    return buttons_.IndexOf(const_cast<TElGroupButton*>(button));
}

void TElCheckItemGroup::SetAlignment(TLeftRight value) {
    if (value == taCenter) value = taRightJustify;
    if (value == buttonAlignment_) return;
    buttonAlignment_ = value;
    ForEachButton([value](TElGroupButton* b) { b->SetAlignment(value); });
}

void TElCheckItemGroup::SetColumns(int value) {
    value = std::clamp(value, 1, kMaxColumns);
    if (value == columns_) return;
    columns_ = value;
    ArrangeButtons();
    update();
}

void TElCheckItemGroup::UpdateButtons() {
    while (buttons_.Count() < items_.Count()) CreateButton();
    while (buttons_.Count() > items_.Count()) delete static_cast<TElGroupButton*>(buttons_.Last());
    const bool enabled = ButtonsEnabled();
    for (int i = 0; i < buttons_.Count(); ++i) {
        TElGroupButton* b = Button(i);
        b->SetCaption(items_[i]);
        b->SetAlignment(buttonAlignment_);
        b->SetTransparent(Transparent());
        b->SetFlat(Flat());
        b->SetIsHTML(IsHTML());
        b->SetSoundMap(SoundMap());
        b->SetCheckSound(CheckSound());
        b->SetImages(Images());
        b->SetUseCustomGlyphs(UseCustomGlyphs());
        b->SetUseImageList(UseImageList());
        b->SetGlyph(Glyph());
        b->SetImageForm(ImageForm());
        b->SetMoneyFlatActiveColor(MoneyFlatActiveColor());
        b->SetMoneyFlatInactiveColor(MoneyFlatInactiveColor());
        b->SetMoneyFlatDownColor(MoneyFlatDownColor());
        // Buttons take the group's colour as the layouts' buttons take their parent's; the font
        // colour follows the group through ParentFont.
        b->SetColor(Color());
        // A hint line that is gone takes its tool tip with it rather than leaving a stale one.
        b->setToolTip(i < hints_.Count() ? hints_[i] : QString());
        b->setEnabled(enabled);
    }
}

void TElCheckItemGroup::ArrangeButtons() {
    const int n = buttons_.Count();
    if (n == 0) return;
    const int c = CaptionHeight();
    const int rows = (n + columns_ - 1) / columns_;
    const int columnWidth = (width() - 10) / columns_;
    const int available = height() - c - 5;
    const int rowHeight = available / rows;
    const int top = c + 1 + (available % rows) / 2;
    for (int i = 0; i < n; ++i) {
        TElGroupButton* b = Button(i);
        const int column = i / rows, row = i % rows;
        b->setGeometry(column * columnWidth + 8, top + row * rowHeight, columnWidth, rowHeight);
        b->show();
    }
}

void TElCheckItemGroup::resizeEvent(QResizeEvent* event) {
    TCustomElGroupBox::resizeEvent(event);
    ArrangeButtons();
}

void TElCheckItemGroup::changeEvent(QEvent* event) {
    TCustomElGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange) ArrangeButtons();
    if (event->type() == QEvent::EnabledChange) {
        const bool enabled = isEnabled();
        ForEachButton([enabled](TElGroupButton* b) { b->setEnabled(enabled); });
    }
}

void TElCheckItemGroup::ColorChanged() {
    TCustomElGroupBox::ColorChanged();
    const TColor c = Color();
    ForEachButton([c](TElGroupButton* b) { b->SetColor(c); });
}

void TElCheckItemGroup::SetCheckBoxChecked(bool value) {
    if (value == CheckBoxChecked()) return;
    TCustomElGroupBox::SetCheckBoxChecked(value);
    const bool enabled = ButtonsEnabled();
    ForEachButton([enabled](TElGroupButton* b) { b->setEnabled(enabled); });
}

void TElCheckItemGroup::SetFlat(bool value) {
    TCustomElGroupBox::SetFlat(value);
    ForEachButton([value](TElGroupButton* b) { b->SetFlat(value); });
}

void TElCheckItemGroup::SetUseCustomGlyphs(bool value) {
    TCustomElGroupBox::SetUseCustomGlyphs(value);
    ForEachButton([value](TElGroupButton* b) { b->SetUseCustomGlyphs(value); });
}

void TElCheckItemGroup::SetGlyph(const QImage& strip) {
    TCustomElGroupBox::SetGlyph(strip);
    ForEachButton([&strip](TElGroupButton* b) { b->SetGlyph(strip); });
}

void TElCheckItemGroup::SetTransparent(bool value) {
    TCustomElGroupBox::SetTransparent(value);
    ForEachButton([value](TElGroupButton* b) { b->SetTransparent(value); });
}

void TElCheckItemGroup::SetUseXPThemes(bool value) {
    TCustomElGroupBox::SetUseXPThemes(value);
    ForEachButton([value](TElGroupButton* b) { b->SetUseXPThemes(value); });
}

void TElCheckItemGroup::SetMoneyFlatActiveColor(TColor value) {
    TCustomElGroupBox::SetMoneyFlatActiveColor(value);
    ForEachButton([value](TElGroupButton* b) { b->SetMoneyFlatActiveColor(value); });
}

void TElCheckItemGroup::SetMoneyFlatInactiveColor(TColor value) {
    TCustomElGroupBox::SetMoneyFlatInactiveColor(value);
    ForEachButton([value](TElGroupButton* b) { b->SetMoneyFlatInactiveColor(value); });
}

void TElCheckItemGroup::SetMoneyFlatDownColor(TColor value) {
    TCustomElGroupBox::SetMoneyFlatDownColor(value);
    ForEachButton([value](TElGroupButton* b) { b->SetMoneyFlatDownColor(value); });
}

void TElCheckItemGroup::SetIsHTML(bool value) {
    TCustomElGroupBox::SetIsHTML(value);
    ForEachButton([value](TElGroupButton* b) { b->SetIsHTML(value); });
}

void TElCheckItemGroup::SetImageForm(TElImageFormLink* form) {
    TCustomElGroupBox::SetImageForm(form);
    ForEachButton([form](TElGroupButton* b) { b->SetImageForm(form); });
}

void TElCheckItemGroup::SetSoundMap(TElSoundMapLink* map) {
    TCustomElGroupBox::SetSoundMap(map);
    ForEachButton([map](TElGroupButton* b) { b->SetSoundMap(map); });
}

void TElCheckItemGroup::SetCheckSound(const QString& name) {
    TCustomElGroupBox::SetCheckSound(name);
    const QString& kept = CheckSound();
    ForEachButton([&kept](TElGroupButton* b) { b->SetCheckSound(kept); });
}

void TElCheckItemGroup::SetImages(TImageList* list) {
    TCustomElGroupBox::SetImages(list);
    ForEachButton([list](TElGroupButton* b) { b->SetImages(list); });
}

void TElCheckItemGroup::SetUseImageList(bool value) {
    TCustomElGroupBox::SetUseImageList(value);
    ForEachButton([value](TElGroupButton* b) { b->SetUseImageList(value); });
}

// ---------------------------------------------------------------------------------------------
// TCustomElRadioGroup

TCustomElRadioGroup::TCustomElRadioGroup(QWidget* parent) : TElCheckItemGroup(parent) {}

TElGroupButton* TCustomElRadioGroup::CreateButton() { return new TElGroupButton(this); }

void TCustomElRadioGroup::SetItemIndex(int value) {
    const int count = ButtonCount();
    value = std::clamp(value, -1, count - 1);
    if (value == itemIndex_) return;
    // Checking raises the button's click; the group's own choice is not the player's.
    updating_ = true;
    if (itemIndex_ >= 0 && itemIndex_ < count) Button(itemIndex_)->SetChecked(false);
    itemIndex_ = value;
    if (value >= 0) {
        TElGroupButton* b = Button(value);
        b->SetChecked(true);
        if (hasFocus() && b->isVisible() && b->isEnabled()) b->setFocus(Qt::OtherFocusReason);
    }
    updating_ = false;
}

void TCustomElRadioGroup::UpdateButtons() {
    TElCheckItemGroup::UpdateButtons();
    if (itemIndex_ >= ButtonCount()) {
        // The chosen row is gone; choosing another in its place would change an order unasked.
        itemIndex_ = -1;
    } else if (itemIndex_ >= 0) {
        updating_ = true;
        Button(itemIndex_)->SetChecked(true);
        updating_ = false;
    }
    ArrangeButtons();
    update();
}

void TCustomElRadioGroup::ButtonClicked(TElGroupButton* sender) {
    if (updating_) return;
    itemIndex_ = IndexOfButton(sender);
    emit OnClick();
}

}  // namespace kvt::gui
