#include "engine/unzipcomponent.h"

UnzipComponent::UnzipComponent(QObject *parent) : QObject(parent) {}
UnzipComponent::~UnzipComponent() = default;
bool UnzipComponent::ExtractFile(const QString &) { return false; }
bool UnzipComponent::ExtractAll() { return false; }
bool UnzipComponent::ListArchive() { return false; }
bool UnzipComponent::extract(const QStringList *) { return false; }
