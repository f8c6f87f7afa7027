#include "tests/support/ConfigFolder.h"
#include <QtCore/QDir>

TConfigFolder::TConfigFolder()
    : own_(std::in_place), path_(own_->isValid() ? own_->path() : QString()), variable_("XDG_CONFIG_HOME", path_) {}

TConfigFolder::TConfigFolder(const QString& path) : path_(Created(path)), variable_("XDG_CONFIG_HOME", path_) {}

QString TConfigFolder::Created(const QString& path) { return QDir().mkpath(path) ? path : QString(); }
