#include "app/f_base.h"

#include <QShowEvent>

#include "app/application_stuff.h"
#include "persistence/app_settings.h"

TfrmBase::TfrmBase(const std::string& formName, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), FFormName(formName) {
  setFont(SystemFont());
}

void TfrmBase::LoadFormBounds() {
  if (!FSettings) return;
  const QRect r = geometry();
  const TFormBounds b =
      FSettings->LoadFormBounds(FFormName, TFormBounds{r.x(), r.y(), r.width(), r.height()});
  setGeometry(b.Left, b.Top, b.Width, b.Height);
}

void TfrmBase::SaveFormBounds() {
  if (!FSettings) return;
  const QRect r = geometry();
  FSettings->SaveFormBounds(FFormName, TFormBounds{r.x(), r.y(), r.width(), r.height()});
}

void TfrmBase::showEvent(QShowEvent* e) {
  // Only the first show restores: later shows (un-minimising) keep the place
  // the player left the window at.
  if (FRememberBounds && !FBoundsLoaded && !e->spontaneous()) {
    FBoundsLoaded = true;
    LoadFormBounds();
  }
  QWidget::showEvent(e);
}
