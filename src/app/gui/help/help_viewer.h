// The user guide shipped with the program, opened in the desktop's default viewer.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace morvane {

class IPrompt;

// Where the guide is looked for, in order: help/ beside the program (the build tree),
// ../share/morvane/help/ (an installed program), then ../../../data/help/ (the source tree).
QStringList HelpFileCandidates(const QString& program_dir);

// The first candidate that exists; empty when none does.
QString FindHelpFile(const QString& program_dir);

// Tells the user that no guide was found from program_dir.
void WarnHelpMissing(const QString& program_dir, IPrompt& prompt);

// Asks the desktop to open a URL; true when it accepted.
using UrlOpener = std::function<bool(const QUrl&)>;

// Opens the guide; warns through the prompt when it is missing or the desktop refuses.
// Returns true when the guide was handed to the viewer.
bool ShowHelp(const QString& program_dir, const UrlOpener& open_url, IPrompt& prompt);

}  // namespace morvane
