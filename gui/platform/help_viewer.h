// The help viewer: shows the program's help text (an HTML file whose topics start at
// <a name="Topic"></a>) in a modal window, opened at a named topic.
#pragma once

#include <QString>

#include <cstdint>

#include "gui/platform/form.h"

class QTextBrowser;

namespace kvt::gui {

// The shipped help is some 18 KB; a file far larger is not the game's help.
inline constexpr std::uint64_t kHelpFileMaxBytes = 1u << 20;

class THelpViewer : public TForm {
    Q_OBJECT
public:
    explicit THelpViewer(QWidget* parent = nullptr);
    // Loads the file and shows the topic; false, with what is wrong with the file in `error`, when
    // it is not a plain file of at most kHelpFileMaxBytes that can be read.
    bool Open(const QString& helpFile, const QString& topic, QString* error = nullptr);
    QTextBrowser* Browser() const { return browser_; }
    const QString& Topic() const { return topic_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTextBrowser* browser_;
    QString topic_;
};

// The application's help file ("KVT.HLP" in the game folder by default).
void SetApplicationHelpFile(const QString& path);
QString ApplicationHelpFile();
// Opens the application's help at the topic and waits until the player closes it; a help file
// that cannot be read is reported in an information box naming it, and no help opens.
void ShowHelpTopic(QWidget* parent, const QString& topic);
// Help asked for by a context number (a menu item's "HelpContext"): the topic whose anchor is
// that number. A pop-up opens small, at the pointer; otherwise as ShowHelpTopic.
void ShowHelpContext(QWidget* parent, int context, bool popup);

}  // namespace kvt::gui
