#pragma once

#include "app/screens/help/faq_item.h"
#include "model/sound_effect.h"

#include <QList>
#include <QString>
#include <utility>

// The fixed content of the help tab.
namespace HelpCatalog {
const QList<FAQItem>& items();
// Every sound pack with the file-name prefix that the sound engine matches, in declaration order.
QList<std::pair<SoundEffect, QString>> soundPrefixes();
// The audio formats the sound engine reads from the sounds folder, as written in the answers
// ("MP3, WAV, or OGG").
QString supportedFormatsText();
} // namespace HelpCatalog
