// TPlayerSizes: the window sizes the player chose, apart from the sizes the
// window took by itself to give a big board readable cells. Each slot keeps
// the size the player set by hand while it was shown; a slot without one
// takes the size the player last chose in any slot (at first the size the
// window started with). Stored in app.ini under "<form>.slotsize.<slot>.w"
// and ".h", and the last chosen size as the window's remembered size.
#pragma once

#include <QSize>
#include <map>
#include <string>

class TAppSettings;

class TPlayerSizes {
 public:
  // The size the window started with, until the player chooses one.
  void Start(QSize size);
  bool Started() const { return FLast.isValid(); }
  // The player set size by hand while slot was shown.
  void Chosen(const std::string& slot, QSize size);
  // The size to go back to when slot is shown.
  QSize For(const std::string& slot) const;
  QSize Last() const { return FLast; }
  // Whether the player set a size by hand for slot.
  bool HasOwn(const std::string& slot) const { return FBySlot.count(slot) != 0; }

  // Reads the slots' sizes; sizes below 1 x 1 are left out.
  void LoadFrom(const TAppSettings& store, const std::string& formName);
  // Writes the slots' sizes, and the last chosen size as the window's.
  void SaveTo(TAppSettings& store, const std::string& formName) const;

 private:
  QSize FLast;
  std::map<std::string, QSize> FBySlot;
};
