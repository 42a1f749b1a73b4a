#pragma once

#include <string>

// Every message box and question of the terminal goes through this interface,
// so that logic can be tested and the terminal automated with scripted
// answers. Texts are UTF-8.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // An information box with one OK button. Safe to call from any thread:
    // a worker thread's box is shown on the window's thread without waiting.
    virtual void Inform(const std::string& text, const std::string& caption = "提示") = 0;

    // A Yes/No question on the window's thread; true for Yes.
    virtual bool Ask(const std::string& text, const std::string& caption) = 0;
};
