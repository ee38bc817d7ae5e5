#pragma once
// Shared by the document window and application tests: an own documents
// folder, scripted dialogs, and a stand-in settings window.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <unistd.h>

#include "editor/DocumentFile.h"
#include "editor/DocumentServices.h"
#include "editor/DrawingWindow.h"
#include "platform/core/FolderItem.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/ScriptedDialogs.h"
#include "support/Settle.h"

namespace vantrel::test {

// No controls; notes whether it was made for a new document and, like the
// real one, clears the document's SettingsWin when it closes.
class StandInSettings : public SettingsWindowBase {
 public:
  explicit StandInSettings(DrawingWindow& dw)
      : document(&dw), madeForNewDocument(dw.LoadDefaulySettings) {
    WindowRecord record{.Title = "", .Width = 120, .Height = 80, .Frame = kFloatingFrame};
    Build(record, std::span<const ControlRecord<StandInSettings>>());
    Title("Settings for: " + dw.Name);
  }
  DrawingWindow* document;
  bool madeForNewDocument;
  bool closed = false;

 protected:
  void OnClose() override {
    closed = true;
    if (document->SettingsWin.get() == this) document->SettingsWin = nullptr;
  }
};

class DocumentWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() /
              ("vantrel-window-" + std::to_string(getpid()) + "-" + info->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    SetDocumentsFolder(folder_);
    saved_ = Services();
    Services().NewSettingsWindow = [this](DrawingWindow& dw) {
      auto settings = std::make_shared<StandInSettings>(dw);
      settingsMade_.push_back(settings);
      return std::static_pointer_cast<SettingsWindowBase>(settings);
    };
  }

  void TearDown() override {
    for (const auto& window : windows_) {
      if (window) window->Close();
    }
    Settle();
    Services() = saved_;
    std::filesystem::remove_all(folder_);
  }

  std::shared_ptr<DrawingWindow> Keep(std::shared_ptr<DrawingWindow> window) {
    windows_.push_back(window);
    return window;
  }
  std::shared_ptr<DrawingWindow> NewDoc(const std::string& name = "Untitled") {
    return Keep(DrawingWindow::NewDocument(name));
  }

  FolderItem File(const std::string& name) const { return FolderItem(folder_ / name); }
  // Save As on w, the save dialog answering file.
  bool SaveAs(DrawingWindow& w, const FolderItem& file) {
    dialogs_.AnswerFile(file);
    return w.SaveAs();
  }
  void WriteText(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }
  std::string ReadText(const std::string& name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // The messages shown so far.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& request : dialogs_.Requests()) {
      if (request.Kind == DialogKind::MsgBox) texts.push_back(request.Message);
    }
    return texts;
  }

  std::filesystem::path folder_;
  ScriptedDialogs dialogs_{[](const std::string& m) { ADD_FAILURE() << m; }};
  std::vector<std::shared_ptr<StandInSettings>> settingsMade_;
  std::vector<std::shared_ptr<DrawingWindow>> windows_;
  DocumentServices saved_;
};

}  // namespace vantrel::test
