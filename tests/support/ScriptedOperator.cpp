#include "tests/support/ScriptedOperator.h"

#include <gtest/gtest.h>

namespace halcyx::test {

namespace {

std::string describe(const char* kind, const std::string& text, const std::string& caption) {
    return std::string(kind) + " \"" + text + "\" (caption \"" + caption + "\")";
}

} // namespace

ScriptedOperator::~ScriptedOperator() {
    for (const Step& step : script_)
        ADD_FAILURE() << "the operator was never shown the expected prompt \"" << step.text << "\"";
}

ScriptedOperator::Step& ScriptedOperator::add(Kind kind, std::string text) {
    Step& step = script_.emplace_back();
    step.kind = kind;
    step.text = std::move(text);
    return step;
}

ScriptedOperator& ScriptedOperator::expectMessage(std::string text, std::string caption,
                                                  Icon icon) {
    Step& step = add(Kind::Message, std::move(text));
    step.caption = std::move(caption);
    step.icon = icon;
    return *this;
}

ScriptedOperator& ScriptedOperator::expectQuestion(std::string text, std::string caption,
                                                   bool answerYes) {
    Step& step = add(Kind::Question, std::move(text));
    step.caption = std::move(caption);
    step.yes = answerYes;
    return *this;
}

ScriptedOperator& ScriptedOperator::expectInput(std::string prompt,
                                                std::optional<std::string> answer) {
    add(Kind::Input, std::move(prompt)).answer = std::move(answer);
    return *this;
}

ScriptedOperator& ScriptedOperator::expectFile(bool save, std::optional<std::string> path) {
    Step& step = add(Kind::File, save ? "file save dialog" : "file open dialog");
    step.save = save;
    step.answer = std::move(path);
    return *this;
}

std::optional<ScriptedOperator::Step> ScriptedOperator::next(Kind kind,
                                                             const std::string& description) {
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected prompt: " << description;
        return std::nullopt;
    }
    if (script_.front().kind != kind) {
        ADD_FAILURE() << "unexpected prompt: " << description << "; expected \""
                      << script_.front().text << "\"";
        return std::nullopt;
    }
    Step step = std::move(script_.front());
    script_.pop_front();
    return step;
}

void ScriptedOperator::message(const std::string& text, const std::string& caption, Icon icon) {
    const std::string what =
        describe("message", text, caption) + " icon " + std::to_string(static_cast<int>(icon));
    if (auto step = next(Kind::Message, what)) {
        EXPECT_EQ(step->text, text) << what;
        EXPECT_EQ(step->caption, caption) << what;
        EXPECT_EQ(step->icon, icon) << what;
    }
}

bool ScriptedOperator::askYesNo(const std::string& text, const std::string& caption, Icon) {
    const std::string what = describe("question", text, caption);
    auto step = next(Kind::Question, what);
    if (!step)
        return false;
    EXPECT_EQ(step->text, text) << what;
    EXPECT_EQ(step->caption, caption) << what;
    return step->yes;
}

std::optional<std::string> ScriptedOperator::input(const std::string& title,
                                                   const std::string& prompt, const std::string&,
                                                   std::size_t maxLength) {
    const std::string what = describe("input box", prompt, title);
    auto step = next(Kind::Input, what);
    if (!step)
        return std::nullopt;
    EXPECT_EQ(step->text, prompt) << what;
    if (step->answer && step->answer->size() > maxLength)
        step->answer->resize(maxLength);
    return step->answer;
}

std::optional<std::string> ScriptedOperator::chooseFile(const FileRequest& request) {
    fileRequests.push_back(request);
    const std::string what = describe(request.save ? "file save dialog" : "file open dialog",
                                      request.filter, request.title);
    auto step = next(Kind::File, what);
    if (!step)
        return std::nullopt;
    EXPECT_EQ(step->save, request.save) << what;
    return step->answer;
}

} // namespace halcyx::test
