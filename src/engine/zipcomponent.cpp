#include "engine/zipcomponent.h"

ZipComponent::ZipComponent(QObject *parent) : QObject(parent) {}
ZipComponent::~ZipComponent() = default;
bool ZipComponent::AddFiles(const QString &) { return false; }
bool ZipComponent::DeleteFiles(const QString &) { return false; }
