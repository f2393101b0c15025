// Message boxes of the program: confirmations, notices and errors. Every box
// goes through ShowMessageBox, which tests can answer through a handler of
// their own instead of a human.
#pragma once

#include <functional>
#include <string>

// Kinds of a message box, combined as bits (TMessageKinds).
using TMessageKinds = unsigned;
constexpr TMessageKinds mkInfo = 1u << 0;
constexpr TMessageKinds mkQuestion = 1u << 1;
constexpr TMessageKinds mkError = 1u << 2;
constexpr TMessageKinds mkOk = 1u << 3;
constexpr TMessageKinds mkYesNo = 1u << 4;
constexpr TMessageKinds mkYesNoCancel = 1u << 5;
constexpr TMessageKinds mkOkCancel = 1u << 6;
constexpr TMessageKinds mkTopmost = 1u << 7;
// Retry, "Close without saving" and Cancel: the choices after a failed save.
constexpr TMessageKinds mkRetryDiscardCancel = 1u << 8;

enum TMessageAnswer : int {
  maOk = 0,
  maCancel = 1,
  maRetry = 4,
  maYes = 5,
  maNo = 6,
  maDiscard = 7
};

struct TMessageBoxRequest {
  std::string Text;
  std::string Caption;
  TMessageKinds Kinds = 0;
  bool SecondDefault = false;
};

// Shows a modal box over the active window and returns the answer; a box that
// cannot be shown, or one asked for while the system ends the program
// (quit_signals.h), answers maCancel, so a confirmation counts as refused.
TMessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                              TMessageKinds kinds, bool secondDefault = false);

// Replaces the on-screen box (tests); an empty handler restores it. Returns the
// previous handler.
using TMessageBoxHandler = std::function<TMessageAnswer(const TMessageBoxRequest&)>;
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);
