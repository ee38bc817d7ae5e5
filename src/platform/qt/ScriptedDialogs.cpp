#include "platform/qt/ScriptedDialogs.h"

#include <iostream>
#include <utility>

namespace vantrel {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string ChoiceName(MessageDialogChoice choice) {
  switch (choice) {
    case MessageDialogChoice::Action:
      return "the action button";
    case MessageDialogChoice::Alternate:
      return "the alternate action button";
    case MessageDialogChoice::Cancel:
      break;
  }
  return "the cancel button";
}

}  // namespace

ScriptedDialogs::ScriptedDialogs(FailureReporter reporter)
    : reporter_(std::move(reporter)), previous_(SetDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
  // Put back the previous dialogs only if nobody replaced us meanwhile.
  if (InstalledDialogs() == this) {
    SetDialogs(previous_);
  }
}

void ScriptedDialogs::AnswerButton(MessageDialogChoice button) { answers_.emplace_back(button); }
void ScriptedDialogs::AnswerFile(FolderItem file) { answers_.emplace_back(std::move(file)); }
void ScriptedDialogs::AnswerColor(Color color) { answers_.emplace_back(color); }
void ScriptedDialogs::AnswerCancel() { answers_.emplace_back(Cancel{}); }

void ScriptedDialogs::ShowMsgBox(const std::string& text) {
  DialogRequest request;
  request.Kind = DialogKind::MsgBox;
  request.Message = text;
  requests_.push_back(std::move(request));
}

MessageDialogChoice ScriptedDialogs::ShowMessageDialog(const MessageDialog& dialog) {
  DialogRequest request;
  request.Kind = DialogKind::MessageDialog;
  request.Message = dialog.Message;
  request.Explanation = dialog.Explanation;
  for (auto choice : {MessageDialogChoice::Action, MessageDialogChoice::Alternate,
                      MessageDialogChoice::Cancel}) {
    if (dialog.ButtonFor(choice)->Visible) {
      request.Buttons.push_back(dialog.ButtonFor(choice)->Caption);
    }
  }
  requests_.push_back(std::move(request));

  const std::string asked = "the message dialog " + Quoted(dialog.Message);
  const Answer* next = Next(asked);
  if (next == nullptr) {
    return MessageDialogChoice::Cancel;
  }
  auto choice = MessageDialogChoice::Cancel;
  if (const auto* button = std::get_if<MessageDialogChoice>(next)) {
    choice = *button;
  } else if (!std::holds_alternative<Cancel>(*next)) {
    Unfit(asked);
    return MessageDialogChoice::Cancel;
  }
  // A user cannot press a button that is not shown; a script that does so
  // would hide a prompt built with the wrong buttons.
  if (!dialog.ButtonFor(choice)->Visible) {
    Fail("the script presses " + ChoiceName(choice) + ", which " + asked + " does not show");
    return MessageDialogChoice::Cancel;
  }
  answers_.pop_front();
  return choice;
}

std::optional<FolderItem> ScriptedDialogs::ShowOpenDialog(const OpenDialog& dialog) {
  DialogRequest request;
  request.Kind = DialogKind::OpenDialog;
  request.Title = dialog.Title;
  request.InitialDirectory = dialog.InitialDirectory;
  requests_.push_back(std::move(request));
  return TakeFile("the open dialog " + Quoted(dialog.Title));
}

std::optional<FolderItem> ScriptedDialogs::ShowSaveDialog(const SaveAsDialog& dialog) {
  DialogRequest request;
  request.Kind = DialogKind::SaveDialog;
  request.Title = dialog.Title;
  request.Prompt = dialog.PromptText;
  request.InitialDirectory = dialog.InitialDirectory;
  request.SuggestedFileName = dialog.SuggestedFileName;
  requests_.push_back(std::move(request));
  return TakeFile("the save dialog suggesting " + Quoted(dialog.SuggestedFileName));
}

bool ScriptedDialogs::ShowColorDialog(Color& c, const std::string& prompt) {
  DialogRequest request;
  request.Kind = DialogKind::SelectColor;
  request.Prompt = prompt;
  request.InitialColor = c;
  requests_.push_back(std::move(request));

  const std::string asked = "the colour picker " + Quoted(prompt);
  const Answer* next = Next(asked);
  if (next == nullptr) {
    return false;
  }
  if (std::holds_alternative<Cancel>(*next)) {
    answers_.pop_front();
    return false;
  }
  if (const auto* color = std::get_if<Color>(next)) {
    c = *color;
    answers_.pop_front();
    return true;
  }
  Unfit(asked);
  return false;
}

bool ScriptedDialogs::OpenURL(const std::string& url) {
  DialogRequest request;
  request.Kind = DialogKind::ShowURL;
  request.URL = url;
  requests_.push_back(std::move(request));
  return DesktopOpens;
}

bool ScriptedDialogs::OpenDocument(const FolderItem& item) {
  DialogRequest request;
  request.Kind = DialogKind::Launch;
  request.Document = item;
  requests_.push_back(std::move(request));
  return DesktopOpens;
}

const ScriptedDialogs::Answer* ScriptedDialogs::Next(const std::string& asked) {
  if (answers_.empty()) {
    Fail("no scripted answer left for " + asked + "; answered as cancelled");
    return nullptr;
  }
  return &answers_.front();
}

std::optional<FolderItem> ScriptedDialogs::TakeFile(const std::string& asked) {
  const Answer* next = Next(asked);
  if (next == nullptr) {
    return std::nullopt;
  }
  if (std::holds_alternative<Cancel>(*next)) {
    answers_.pop_front();
    return std::nullopt;
  }
  if (const auto* file = std::get_if<FolderItem>(next)) {
    FolderItem chosen = *file;
    answers_.pop_front();
    return chosen;
  }
  Unfit(asked);
  return std::nullopt;
}

void ScriptedDialogs::Unfit(const std::string& asked) {
  const Answer& next = answers_.front();
  std::string answer = "a colour";
  if (const auto* button = std::get_if<MessageDialogChoice>(&next)) {
    answer = ChoiceName(*button);
  } else if (const auto* file = std::get_if<FolderItem>(&next)) {
    answer = "the file " + Quoted(file->NativePath());
  }
  Fail("the next scripted answer (" + answer + ") does not fit " + asked +
       "; answered as cancelled");
}

void ScriptedDialogs::Fail(const std::string& message) {
  failures_.push_back(message);
  if (reporter_) {
    reporter_(message);
  } else {
    std::cerr << "ScriptedDialogs: " << message << '\n';
  }
}

}  // namespace vantrel
