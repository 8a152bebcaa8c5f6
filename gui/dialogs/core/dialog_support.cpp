// Placement, pictures and texts of the small dialogs.
#include "gui/dialogs/core/dialog_support.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QWidget>

#include "engine/world/game_files.h"
#include "engine/world/text_table.h"
#include "gui/platform/edges.h"

namespace kvt::gui {

QString GameText(int n) { return ToQString(Text(n)); }

void AcceptRecordNames(QLineEdit& box, int length) {
    const QRegularExpression printable(QStringLiteral("[ -~\\x{A0}-\\x{FF}]{0,%1}").arg(length));
    box.setValidator(new QRegularExpressionValidator(printable, &box));
}

QImage LoadDialogPicture(const QString& fileName, const QSize& size) {
    const QImage picture(QString::fromStdString(GameDataFile(fileName.toStdString())));
    if (picture.isNull() || picture.size() == size) return picture;
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void MakeBorderless(QWidget& dialog, bool stayOnTop) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::FramelessWindowHint;
    if (stayOnTop) flags |= Qt::WindowStaysOnTopHint;
    dialog.setWindowFlags(flags);
}

void CentreOnScreen(QWidget& dialog) {
    const QScreen* screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame(QPoint(0, 0), dialog.size());
    frame.moveCenter(screen->geometry().center());
    dialog.move(frame.topLeft());
}

bool PaintDialogPicture(QWidget& dialog, const QImage& picture) {
    if (picture.isNull()) return false;
    QPainter(&dialog).drawImage(QPoint(0, 0), picture);
    return true;
}

void PaintRaisedEdge(QWidget& dialog) {
    QPainter p(&dialog);
    QRect r = dialog.rect();
    DrawEdge(p, r, EDGE_RAISED, BF_RECT);
}

}  // namespace kvt::gui
