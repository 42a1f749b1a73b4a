#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/MessageBoxes.h"
#include "call/CallView.h"
#include "call/MediaState.h"
#include "call/Ringer.h"

// The window as the control connection sees it, reduced to what it shows.
class FakeView : public CallView {
public:
    explicit FakeView(MediaState& media) : media_(media) {}

    std::map<int, QString> panes;
    QString transcript;
    QString input;
    bool inputEnabled = false;
    int inputClears = 0;
    std::map<int, bool> buttonVisible;
    std::map<int, bool> menuEnabled;
    int fullPictureCloses = 0;
    int oneKeyRuns = 0;
    int oneKeyCloses = 0;
    std::function<void()> onOneKey;

    void SetPaneText(int pane, const QString& text) override { panes[pane] = text; }
    QString Transcript() const override { return transcript; }
    void SetTranscript(const QString& text) override { transcript = text; }
    QString InputText() const override { return input; }
    void SetInputEnabled(bool enabled) override { inputEnabled = enabled; }
    void ClearInput() override {
        input.clear();
        ++inputClears;
    }
    void SetSendButtonVisible(int buttonId, bool visible) override {
        buttonVisible[buttonId] = visible;
    }
    void SetMenuItemEnabled(int commandId, bool enabled) override {
        menuEnabled[commandId] = enabled;
    }
    void CloseFullPictureView() override { ++fullPictureCloses; }
    void RunOneKey() override {
        ++oneKeyRuns;
        media_.oneKeyOn = 1;
        if (onOneKey) {
            onOneKey();
        }
    }
    void CloseOneKeyMedia() override { ++oneKeyCloses; }

private:
    MediaState& media_;
};

// Message boxes with scripted answers; an answer may first run a step (for
// instance, let socket events happen while the question is up).
class ScriptedBoxes : public MessageBoxes {
public:
    struct Box {
        std::string text;
        std::string caption;
    };
    std::vector<Box> informs;
    std::vector<Box> asks;
    std::deque<bool> answers;
    std::function<void()> whileAsking;

    void Inform(const std::string& text, const std::string& caption) override {
        informs.push_back({text, caption});
    }
    bool Ask(const std::string& text, const std::string& caption) override {
        asks.push_back({text, caption});
        if (whileAsking) {
            whileAsking();
        }
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class FakeRinger : public Ringer {
public:
    std::vector<std::string> calls;
    void StartRinging(const QString& soundFile) override {
        calls.push_back("start " + soundFile.toStdString());
    }
    void StopRinging() override { calls.push_back("stop"); }
};
