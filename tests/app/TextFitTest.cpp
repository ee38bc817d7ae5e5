// Every window of the program, built as it opens: each caption, label, button
// and field text, and the longest texts the program writes at run time, fit
// their boxes in the font the control actually uses.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <chrono>
#include <filesystem>
#include <unistd.h>

#include "app/AboutBox.h"
#include "app/App.h"
#include "editor/DrawingWindow.h"
#include "editor/ScaleWindow.h"
#include "platform/core/Thread.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/ScriptedDialogs.h"
#include "platform/qt/StaticText.h"
#include "render/RenderWindow.h"
#include "settings/SettingsWindow.h"
#include "support/Settle.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using test::Settle;

// What a widget's text needs against the room its style leaves for it;
// empty when it fits. Buttons keep their captions 2 pixels clear of the frame.
std::string Misfit(const QWidget& widget, const QString& text, const QRect& room, int clear = 0) {
  const QFontMetrics metrics(widget.font());
  const int width = metrics.horizontalAdvance(text) + 2 * clear;
  if (width <= room.width() && metrics.height() <= room.height()) return {};
  return "\"" + text.toStdString() + "\" needs " + std::to_string(width) + " x " +
         std::to_string(metrics.height()) + ", has " + std::to_string(room.width()) + " x " +
         std::to_string(room.height());
}

std::string LabelMisfit(const QLabel& label) {
  const QRect room = label.contentsRect();
  if (!label.wordWrap()) return Misfit(label, label.text(), room);
  const QRect needed =
      QFontMetrics(label.font()).boundingRect(room, Qt::TextWordWrap, label.text());
  if (needed.height() <= room.height()) return {};
  return "\"" + label.text().toStdString() + "\" wraps to " + std::to_string(needed.height());
}

std::string ButtonMisfit(const QAbstractButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  QStyle::SubElement element = QStyle::SE_PushButtonContents;
  if (qobject_cast<const QCheckBox*>(&button)) element = QStyle::SE_CheckBoxContents;
  if (qobject_cast<const QRadioButton*>(&button)) element = QStyle::SE_RadioButtonContents;
  if (const auto* push = qobject_cast<const QPushButton*>(&button); push && push->autoDefault()) {
    option.features |= QStyleOptionButton::AutoDefaultButton;
  }
  const QRect room = button.style()->subElementRect(element, &option, &button);
  return Misfit(button, button.text(), room, element == QStyle::SE_PushButtonContents ? 2 : 0);
}

// A field's text, or each item of the combo box it edits, inside its frame
// and its 2-pixel margins.
std::string FieldMisfit(const QLineEdit& field) {
  const int frame =
      field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
  const QRect room = field.rect().adjusted(frame + 2, frame, -frame - 2, -frame);
  QStringList texts{field.text()};
  if (const auto* box = qobject_cast<const QComboBox*>(field.parentWidget())) {
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
  }
  for (const QString& text : texts) {
    if (std::string misfit = Misfit(field, text, room); !misfit.empty()) return misfit;
  }
  return {};
}

std::vector<std::string> Misfits(const Window& window) {
  std::vector<std::string> found;
  for (const QWidget* widget : window.Widget()->findChildren<QWidget*>()) {
    std::string misfit;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) misfit = LabelMisfit(*label);
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      misfit = ButtonMisfit(*button);
    }
    if (const auto* field = qobject_cast<const QLineEdit*>(widget)) misfit = FieldMisfit(*field);
    if (!misfit.empty()) found.push_back(window.Title() + ": " + misfit);
  }
  return found;
}

TEST(TextFit, EveryTextOfEveryWindowFitsItsBox) {
  const fs::path folder = fs::temp_directory_path() / ("vantrel-fit-" + std::to_string(getpid()));
  fs::create_directories(folder);
  SetDocumentsFolder(folder);
  ScriptedDialogs dialogs{[](const std::string& m) { ADD_FAILURE() << m; }};
  class App app;
  SettingsWindow::InstallFactory();
  const auto document = DrawingWindow::NewDocument("Untitled");
  ASSERT_NE(document->SettingsWin, nullptr);
  const auto render = RenderWindow::Create(*document);
  ASSERT_NE(render, nullptr);
  const std::vector<const Window*> windows{document.get(), document->SettingsWin.get(),
                                           &ScaleWindow::Shared(), render.get(),
                                           AboutBox().get()};
  Settle();
  for (const Window* window : windows) {
    for (const std::string& misfit : Misfits(*window)) ADD_FAILURE() << misfit;
  }
  // The preview's status texts at a three-digit depth.
  auto& status = document->ControlNamed<StaticText>("StatusText");
  for (const char* text : {"Drawing Preview: Iteration 999", "Rendering stopped",
                           "Drawing Preview: Complete (999 Iterations)",
                           "Drawing Preview: Complete ( Limited at 999 Iterations)"}) {
    status.Text(text);
    for (const std::string& misfit : Misfits(*document)) ADD_FAILURE() << misfit;
  }
  for (Window* window : Application::Windows()) window->Close();
  Settle();
  EXPECT_TRUE(WaitForAllThreads(std::chrono::seconds(10)));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace vantrel
