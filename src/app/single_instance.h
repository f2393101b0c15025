// One running game per settings folder. The first start takes a lock file in
// the folder (QLockFile) and listens on a local socket named after the
// folder; a later start finds the lock held, hands its command-line arguments
// to the running game through that socket and ends, and the running game
// brings its window to the front. A lock left by a killed game is taken over:
// QLockFile knows a lock whose process is gone, and a lock that names a
// process alive but holding no lock on the file (the number was given to
// another program, even another game of another folder) is stale too. The
// lock does not grow stale with age, since a game may run for days.
#pragma once

#include <QList>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

class TSingleInstance : public QObject {
  Q_OBJECT

 public:
  enum class TStart {
    First,       // this is the one game for the folder; Activated reports later starts
    HandedOver,  // another game runs and has the arguments: end this start
    Unanswered,  // another game holds the lock but does not answer
    Unguarded,   // no lock could be made (an unwritable folder): run without one
  };

  explicit TSingleInstance(const QString& settingsFolder, QObject* parent = nullptr);

  TStart Start(const QStringList& arguments);
  // The window is up: Activated reports the starts held back until now and
  // every later one at once. Before, a later start is answered at once and
  // its arguments kept.
  void SetReady();

  // The local socket's name for a settings folder.
  static QString ServerName(const QString& settingsFolder);

 signals:
  // A later start's arguments (its program name left out).
  void Activated(const QStringList& arguments);

 private:
  bool HandOver(const QStringList& arguments) const;
  // Some process holds the lock file open and locked: the running game.
  bool LockHeldByAProcess() const;
  void Listen();
  void Receive(class QLocalSocket* socket);

  QString FServerName;
  bool FReady = false;
  QList<QStringList> FHeldBack;
  QString FLockPath;
  QLockFile FLock;
  QLocalServer FServer;
};
