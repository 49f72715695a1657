// SPDX-License-Identifier: MIT
#pragma once
/// \file
/// Message boxes and message processing. MessageDlg shows a Qt message box when a GUI
/// runs on a real display; a program (or test) may install its own handler to see the text
/// instead, and headless programs write it to stderr rather than block.

#include <functional>
#include <string>

namespace zyr {

/// Kind of a message box.
enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
/// The button that closed a message box.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

/// Shows a message instead of the default box and answers a TModalResult (tests and programs
/// without a display install one).
using TMessageHandler = std::function<int(const std::string& text, TMsgDlgType type)>;

/// Shows the text and answers the button pressed (mrOk for information boxes).
int MessageDlg(const std::string& text, TMsgDlgType type = mtInformation);
/// Installs a handler for MessageDlg; an empty handler restores the default. Returns the old one.
TMessageHandler SetMessageHandler(TMessageHandler handler);

namespace Application {
/// Lets the host process pending events (used inside long loops and nested mouse loops).
void ProcessMessages();
}  // namespace Application

}  // namespace zyr
