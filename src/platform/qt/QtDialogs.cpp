#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTextDocument>
#include <QThread>
#include <QUrl>
#include <iostream>

#include "platform/qt/Application.h"
#include "platform/qt/Window.h"

namespace vantrel {

namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// File names are bytes on Linux; Qt's file name codec keeps names that are
// not valid UTF-8 intact both ways.
QString PathText(const FolderItem& item) {
  return QFile::decodeName(QByteArray::fromStdString(item.NativePath()));
}

FolderItem ToFolderItem(const QString& path) {
  return FolderItem(QFile::encodeName(path).toStdString());
}

// Whether a modal dialog (or a hand-over to the desktop) can happen here and
// be answered by someone.
bool CanShow(const char* what) {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  const char* why = nullptr;
  if (app == nullptr) {
    why = "there is no QApplication";
  } else if (QThread::currentThread() != app->thread()) {
    why = "it was asked for off the event thread";
  } else if (QGuiApplication::platformName() == QLatin1String("offscreen") ||
             QGuiApplication::platformName() == QLatin1String("minimal")) {
    why = "nobody can answer it on a platform without a screen";
  }
  if (why != nullptr) {
    std::cerr << "vantrel: " << what << " answered as cancelled: " << why << '\n';
    return false;
  }
  return true;
}

// Dialogs sit on the window the user is working in, which is active again
// when they close. A dialog that follows another may find no window active
// yet (the first one's activation is still on its way): it sits on the last
// document window then.
class DialogParent {
 public:
  DialogParent() : window_(QApplication::activeWindow()) {
    if (window_.isNull()) {
      if (const Window* document = Application::LastDocumentWindow()) window_ = document->Widget();
    }
  }
  ~DialogParent() { Application::ActivateIfNoneActive(nullptr, window_); }
  DialogParent(const DialogParent&) = delete;
  DialogParent& operator=(const DialogParent&) = delete;

  QWidget* Widget() const { return window_.data(); }

 private:
  QPointer<QWidget> window_;
};

QPushButton* AddButton(QMessageBox& box, const MessageDialogButton& button,
                       QMessageBox::ButtonRole role) {
  return button.Visible ? box.addButton(ToQString(button.Caption), role) : nullptr;
}

std::optional<FolderItem> RunFileDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) {
    return std::nullopt;
  }
  return ToFolderItem(files.first());
}

QString InitialPath(const std::optional<FolderItem>& folder) {
  return folder ? PathText(*folder) : QString();
}

}  // namespace

void QtDialogs::ShowMsgBox(const std::string& text) {
  if (!CanShow("message box")) {
    return;
  }
  const DialogParent parent;
  QMessageBox box(parent.Widget());
  // Messages quote window titles, which come from file names: never markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(ToQString(text));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

MessageDialogChoice QtDialogs::ShowMessageDialog(const MessageDialog& dialog) {
  if (!CanShow("message dialog")) {
    return MessageDialogChoice::Cancel;
  }
  const DialogParent parent;
  QMessageBox box(parent.Widget());
  box.setIcon(QMessageBox::Warning);
  box.setTextFormat(Qt::PlainText);
  box.setText(ToQString(dialog.Message));
  // The informative text has no format switch of its own; wrapping it as a
  // paragraph keeps it plain whatever it holds.
  if (!dialog.Explanation.empty()) {
    box.setInformativeText(Qt::convertFromPlainText(ToQString(dialog.Explanation)));
  }
  QPushButton* action = AddButton(box, *dialog.ActionButton, QMessageBox::AcceptRole);
  QPushButton* alternate =
      AddButton(box, *dialog.AlternateActionButton, QMessageBox::DestructiveRole);
  QPushButton* cancel = AddButton(box, *dialog.CancelButton, QMessageBox::RejectRole);
  if (action != nullptr) {
    box.setDefaultButton(action);
  }
  // Escape means cancel only when there is a Cancel button to mean it.
  if (cancel != nullptr) {
    box.setEscapeButton(cancel);
  }
  box.exec();
  QAbstractButton* pressed = box.clickedButton();
  if (pressed != nullptr && pressed == action) {
    return MessageDialogChoice::Action;
  }
  if (pressed != nullptr && pressed == alternate) {
    return MessageDialogChoice::Alternate;
  }
  return MessageDialogChoice::Cancel;
}

std::optional<FolderItem> QtDialogs::ShowOpenDialog(const OpenDialog& dialog) {
  if (!CanShow("open dialog")) {
    return std::nullopt;
  }
  const DialogParent parent;
  QFileDialog files(parent.Widget(), ToQString(dialog.Title), InitialPath(dialog.InitialDirectory));
  files.setAcceptMode(QFileDialog::AcceptOpen);
  files.setFileMode(QFileDialog::ExistingFile);
  return RunFileDialog(files);
}

std::optional<FolderItem> QtDialogs::ShowSaveDialog(const SaveAsDialog& dialog) {
  if (!CanShow("save dialog")) {
    return std::nullopt;
  }
  const DialogParent parent;
  QFileDialog files(parent.Widget(), ToQString(dialog.Title), InitialPath(dialog.InitialDirectory));
  files.setAcceptMode(QFileDialog::AcceptSave);
  files.setFileMode(QFileDialog::AnyFile);
  if (!dialog.PromptText.empty()) {
    files.setLabelText(QFileDialog::FileName, ToQString(dialog.PromptText));
  }
  if (!dialog.SuggestedFileName.empty()) {
    files.selectFile(ToQString(dialog.SuggestedFileName));
  }
  return RunFileDialog(files);
}

bool QtDialogs::ShowColorDialog(Color& c, const std::string& prompt) {
  if (!CanShow("colour picker")) {
    return false;
  }
  const DialogParent parent;
  QColorDialog picker(QColor(c.Red, c.Green, c.Blue), parent.Widget());
  picker.setWindowTitle(ToQString(prompt));
  if (picker.exec() != QDialog::Accepted || !picker.selectedColor().isValid()) {
    return false;
  }
  const QColor chosen = picker.selectedColor().toRgb();
  c = RGB(chosen.red(), chosen.green(), chosen.blue());
  return true;
}

// Without a screen nobody would see the link open either way, so it counts
// as opened; the caller tells the user only about a real refusal.
bool QtDialogs::OpenURL(const std::string& url) {
  return !CanShow("link") || QDesktopServices::openUrl(QUrl(ToQString(url)));
}

bool QtDialogs::OpenDocument(const FolderItem& item) {
  return !CanShow("document") || QDesktopServices::openUrl(QUrl::fromLocalFile(PathText(item)));
}

}  // namespace vantrel
