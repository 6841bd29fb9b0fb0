#pragma once

#include <QString>

// The title every message box shows unless it has its own.
inline const QString kApplicationTitle = QStringLiteral("VORDEN Input");

enum class MessageIcon { None, Information, Critical };

// One modal message box: its text, icon and title, with a single OK button.
struct Message {
  QString text;
  MessageIcon icon = MessageIcon::Information;
  QString title = kApplicationTitle;

  friend bool operator==(const Message&, const Message&) = default;
};
