#pragma once

class QAction;
class QString;

/// Gives action its prompt: the status-bar text, then "\n" and the tooltip; a prompt without
/// a tooltip part serves as both.
void SetPrompt(QAction* action, const QString& prompt);
