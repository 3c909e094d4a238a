#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace halcyx {

// The icon of a message box or question.
enum class Icon { None, Stop, Exclamation, Information, Question };

// What a file dialog is asked for. The filter uses the program's own form,
// "Config Files (*.CFG)|*.cfg|All Files (*.*)|*.*|": pairs of caption and pattern,
// each ended by '|'.
struct FileRequest {
    bool save = false;             // save dialog (true) or open dialog (false)
    std::string title;             // empty: the toolkit's default title
    std::string filter;            // "Name (*.EXT)|*.ext|" pairs
    std::string defaultExtension;  // appended when the typed name has none, e.g. "CFG"
    std::string initialName;       // proposed file name or path
    bool mustExist = false;        // open: only an existing file may be chosen
    bool confirmOverwrite = false; // save: ask before replacing an existing file
};

// A save dialog that asks before replacing an existing file.
inline FileRequest saveFileRequest(std::string filter, std::string defaultExtension,
                                   std::string initialName = {}) {
    FileRequest request;
    request.save = true;
    request.filter = std::move(filter);
    request.defaultExtension = std::move(defaultExtension);
    request.initialName = std::move(initialName);
    request.confirmOverwrite = true;
    return request;
}

// Everything a sequence asks of, or shows to, the operator. The program answers through
// Qt dialogs; tests answer from a script that fails on any prompt it did not expect.
class Operator {
public:
    virtual ~Operator() = default;

    // A modal box with an OK button.
    virtual void message(const std::string& text, const std::string& caption, Icon icon) = 0;
    // A modal Yes/No question; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption, Icon icon) = 0;
    // A one-line input box; nullopt when cancelled. The answer holds at most maxLength
    // characters.
    virtual std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                             const std::string& initial, std::size_t maxLength) = 0;
    // A file open or save dialog; the chosen path, or nullopt when cancelled.
    virtual std::optional<std::string> chooseFile(const FileRequest& request) = 0;

    // The two-line progress box shown while a long sequence runs. It takes no input.
    virtual void progressShow() = 0;
    virtual void progressLine1(const std::string& text) = 0;
    virtual void progressLine2(const std::string& text) = 0;
    virtual void progressClose() = 0;

    // The busy cursor, on while a sequence blocks the interface.
    virtual void setWaitCursor(bool on) = 0;
    virtual void beep() = 0;
    // Opens the help at a numbered context; 0 opens its index.
    virtual void showHelp(int context) = 0;
};

// Shows the wait cursor for the lifetime of the guard.
class WaitCursor {
public:
    explicit WaitCursor(Operator& op) : op_(op) { op_.setWaitCursor(true); }
    ~WaitCursor() { op_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Operator& op_;
};

// Shows the progress box for the lifetime of the guard, so that every exit closes it.
class ProgressBox {
public:
    explicit ProgressBox(Operator& op) : op_(op) { op_.progressShow(); }
    ~ProgressBox() { op_.progressClose(); }
    ProgressBox(const ProgressBox&) = delete;
    ProgressBox& operator=(const ProgressBox&) = delete;
    void line1(const std::string& text) { op_.progressLine1(text); }
    void line2(const std::string& text) { op_.progressLine2(text); }

private:
    Operator& op_;
};

} // namespace halcyx
