// TfrmMain: news for assistive technology, read out from the status line.
#include "app/announcer.h"
#include "app/f_main.h"

void TfrmMain::Announce(const std::string& text) {
  if (FlAnnounce) FlAnnounce->Announce(QString::fromStdString(text));
}
