#include "app/desktop/WindowRegistry.h"

void WindowRegistry::addWindow(const QString& name, Factory create, const QList<int>& reportKinds)
{
    entries_.append({name, Kind::Window, std::move(create), {}, reportKinds});
}

void WindowRegistry::addPreCreated(const QString& name, Factory create)
{
    entries_.append({name, Kind::PreCreated, std::move(create), {}, {}});
}

void WindowRegistry::addCommand(const QString& name, Command run)
{
    entries_.append({name, Kind::Command, {}, std::move(run), {}});
}

const WindowRegistry::Entry* WindowRegistry::find(const QString& name) const
{
    for (const Entry& e : entries_)
        if (e.name == name)
            return &e;
    return nullptr;
}

bool WindowRegistry::serves(const QString& name, int reportKind) const
{
    const Entry* e = find(name);
    return e && (e->reportKinds.isEmpty() || e->reportKinds.contains(reportKind));
}
