#pragma once

#include "core/prompt/Operator.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace halcyx::test {

// The operator of a test: answers prompts from a script written in advance, in order.
// A prompt the script does not expect, or one whose text differs, fails the test and
// names the prompt; expectations left over when it is destroyed fail the test too.
// Progress lines, the wait cursor, beeps and help requests are recorded, not scripted.
class ScriptedOperator : public Operator {
public:
    ~ScriptedOperator() override;

    ScriptedOperator& expectMessage(std::string text, std::string caption, Icon icon);
    ScriptedOperator& expectQuestion(std::string text, std::string caption, bool answerYes);
    ScriptedOperator& expectInput(std::string prompt, std::optional<std::string> answer);
    ScriptedOperator& expectFile(bool save, std::optional<std::string> path);

    void message(const std::string& text, const std::string& caption, Icon icon) override;
    bool askYesNo(const std::string& text, const std::string& caption, Icon icon) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& initial, std::size_t maxLength) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
    void progressShow() override { progress.push_back("show"); }
    void progressLine1(const std::string& text) override { progress.push_back("1:" + text); }
    void progressLine2(const std::string& text) override { progress.push_back("2:" + text); }
    void progressClose() override { progress.push_back("close"); }
    void setWaitCursor(bool on) override {
        waitCursor = on;
        ++waitCursorChanges;
    }
    void beep() override { ++beeps; }
    void showHelp(int context) override { helpContexts.push_back(context); }

    // True when every scripted prompt has been asked.
    bool done() const { return script_.empty(); }

    // "show", "1:<text>", "2:<text>", "close" in the order they happened.
    std::vector<std::string> progress;
    bool waitCursor = false;
    int waitCursorChanges = 0;
    int beeps = 0;
    std::vector<int> helpContexts;
    std::vector<FileRequest> fileRequests;

private:
    enum class Kind { Message, Question, Input, File };
    struct Step {
        Kind kind = Kind::Message;
        std::string text;
        std::string caption;
        Icon icon = Icon::None;
        bool yes = false;
        bool save = false;
        std::optional<std::string> answer;
    };
    // Appends a step of this kind with its text; the caller fills in the rest.
    Step& add(Kind kind, std::string text);
    // Takes the next step if it is of this kind; fails the test and returns nullopt if not.
    std::optional<Step> next(Kind kind, const std::string& description);

    std::deque<Step> script_;
};

} // namespace halcyx::test
