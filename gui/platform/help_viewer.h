// The help viewer: shows the program's help text (an HTML file whose topics start at
// <a name="Topic"></a>) in a modal window, opened at a named topic.
#pragma once

#include <QString>

#include "gui/platform/form.h"

class QTextBrowser;

namespace kvt::gui {

class THelpViewer : public TForm {
    Q_OBJECT
public:
    explicit THelpViewer(QWidget* parent = nullptr);
    // Loads the file and shows the topic; false when the file cannot be read.
    bool Open(const QString& helpFile, const QString& topic);
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
// that cannot be read is reported in an information box.
void ShowHelpTopic(QWidget* parent, const QString& topic);
// Help asked for by a context number (a menu item's "HelpContext"): the topic whose anchor is
// that number. A pop-up opens small, at the pointer; otherwise as ShowHelpTopic.
void ShowHelpContext(QWidget* parent, int context, bool popup);

}  // namespace kvt::gui
