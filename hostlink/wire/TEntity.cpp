#include "TEntity.h"

#include "FileNames.h"
#include "StreamEncoding.h"

TEntity::TEntity(TDemonLink* Component)
    : Demon(Component)
{
}

void TEntity::Assign(const TEntity* Source)
{
    if (!Source || Source == this)
        return;
    Handle = Source->Handle;
    MutexHandle = Source->MutexHandle;
    ExeName = Source->ExeName;
    Title = Source->Title;
}

std::string TEntity::GetExeName()
{
    if (ExeName.empty())
        Refresh();
    return ExeName;
}

std::string TEntity::GetTitle()
{
    if (Title.empty())
        Refresh();
    return Title;
}

void TEntity::Refresh()
{
    if (!Demon)
        return;
    const std::unique_ptr<TEntity> Found = Demon->FindEntityByHandle(Handle);
    Assign(Found.get());
}

void TEntity::WriteTo(TMemoryStream& Stream)
{
    WriteStreamInteger(Stream, Handle);
    WriteStreamInteger(Stream, MutexHandle);
    WriteStreamString(Stream, GetExeName());
    WriteStreamString(Stream, GetTitle());
}

void TEntity::ReadFrom(TMemoryStream& Stream)
{
    TEntity Read(Demon);
    Read.Handle = ReadStreamInteger(Stream);
    Read.MutexHandle = ReadStreamInteger(Stream);
    Read.ExeName = ReadStreamString(Stream);
    Read.Title = ReadStreamString(Stream);
    Assign(&Read);
}

bool TEntity::IsAlive() const
{
    return Demon && Demon->IsWindow(Handle);
}

std::string TEntity::MutexName()
{
    return "LX_" + ExtractFileName(GetExeName());
}
