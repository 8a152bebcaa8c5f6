// What the game's small dialogs share: a frameless window centred on the screen, the dialog
// pictures of the game folder and the game's texts as Qt strings. Holds no rule of the game.
#pragma once

#include <QImage>
#include <QString>

#include <string>

class QLineEdit;
class QWidget;

namespace kvt::gui {

// A text of the game as the record and the text table hold it: one byte a character (Latin-1).
inline QString ToQString(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }
// A name box takes what a record's name can hold: up to `length` printable Latin-1 characters.
void AcceptRecordNames(QLineEdit& box, int length);
// Text n of the game's text table.
QString GameText(int n);

// The picture of the game's folder, whatever the case of its name, scaled to size; a null
// image when it is missing, so the dialog keeps its plain colour rather than failing.
QImage LoadDialogPicture(const QString& fileName, const QSize& size);

// A dialog without a title bar (optionally kept above other windows).
void MakeBorderless(QWidget& dialog, bool stayOnTop = false);
// Places the dialog in the middle of the screen it will show on.
void CentreOnScreen(QWidget& dialog);
// The raised edge of a frameless dialog without a picture, so it stands out from the map.
void PaintRaisedEdge(QWidget& dialog);
// Paints the dialog's picture over it; false (nothing painted) when the picture is missing.
bool PaintDialogPicture(QWidget& dialog, const QImage& picture);

}  // namespace kvt::gui
