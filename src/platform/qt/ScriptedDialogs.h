#pragma once
// Dialogs for tests: answers the dialogs from a script, in turn, and records
// everything that was asked. Creating one installs it; destroying it puts
// back whatever was installed before.
//
// Message boxes, links and launched documents need no answer: they are only
// recorded. Every other dialog takes the next answer. A dialog that finds no
// answer left, or an answer that does not fit it (a file for a colour picker,
// a button the dialog does not show), is a failure: it is recorded, handed to
// the reporter and answered as cancelled, and the unfitting answer stays for
// the next dialog. Pass a reporter that fails the test, for example
//   ScriptedDialogs dialogs([](const std::string& m) { ADD_FAILURE() << m; });
// Without one the failure goes to stderr and Failures().
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/qt/Dialogs.h"

namespace vantrel {

enum class DialogKind { MsgBox, MessageDialog, OpenDialog, SaveDialog, SelectColor, ShowURL, Launch };

// One thing the program asked for; fields that do not belong to the kind stay empty.
struct DialogRequest {
  DialogKind Kind = DialogKind::MsgBox;
  std::string Title;
  std::string Message;  // the message box's text, the message dialog's message
  std::string Explanation;
  std::vector<std::string> Buttons;  // visible captions: action, alternate, cancel
  std::string Prompt;                // save dialog's PromptText, colour picker's prompt
  std::optional<FolderItem> InitialDirectory;
  std::string SuggestedFileName;
  Color InitialColor;
  std::string URL;
  std::optional<FolderItem> Document;  // what Launch opened
};

class ScriptedDialogs final : public Dialogs {
 public:
  using FailureReporter = std::function<void(const std::string& message)>;

  explicit ScriptedDialogs(FailureReporter reporter = nullptr);
  ~ScriptedDialogs() override;
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  // The next message dialog presses this button.
  void AnswerButton(MessageDialogChoice button);
  // The next open or save dialog chooses this file.
  void AnswerFile(FolderItem file);
  // The next colour picker confirms this colour.
  void AnswerColor(Color color);
  // The next dialog of any kind is cancelled (a message dialog's Cancel button).
  void AnswerCancel();

  const std::vector<DialogRequest>& Requests() const { return requests_; }
  std::size_t AnswersLeft() const { return answers_.size(); }
  const std::vector<std::string>& Failures() const { return failures_; }

  void ShowMsgBox(const std::string& text) override;
  MessageDialogChoice ShowMessageDialog(const MessageDialog& dialog) override;
  std::optional<FolderItem> ShowOpenDialog(const OpenDialog& dialog) override;
  std::optional<FolderItem> ShowSaveDialog(const SaveAsDialog& dialog) override;
  bool ShowColorDialog(Color& c, const std::string& prompt) override;
  // Recorded; they succeed while DesktopOpens is true.
  bool OpenURL(const std::string& url) override;
  bool OpenDocument(const FolderItem& item) override;

  // False: the desktop opens no link or document, as one without a program for them.
  bool DesktopOpens = true;

 private:
  struct Cancel {};
  using Answer = std::variant<MessageDialogChoice, FolderItem, Color, Cancel>;

  // The next answer, or nullptr after reporting that none is left.
  const Answer* Next(const std::string& asked);
  std::optional<FolderItem> TakeFile(const std::string& asked);
  void Unfit(const std::string& asked);
  void Fail(const std::string& message);

  FailureReporter reporter_;
  Dialogs* previous_;
  std::deque<Answer> answers_;
  std::vector<DialogRequest> requests_;
  std::vector<std::string> failures_;
};

}  // namespace vantrel
