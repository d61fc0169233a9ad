#include "TEntity.h"

#include "StreamEncoding.h"

TEntity::TEntity(TDemonLink* Demon)
    : Demon(Demon)
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
    const std::unique_ptr<TEntity> found = Demon->FindEntityByHandle(Handle);
    Assign(found.get());
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
    TEntity read(Demon);
    read.Handle = ReadStreamInteger(Stream);
    read.MutexHandle = ReadStreamInteger(Stream);
    read.ExeName = ReadStreamString(Stream);
    read.Title = ReadStreamString(Stream);
    Assign(&read);
}

bool TEntity::IsAlive() const
{
    return Demon && Demon->IsWindow(Handle);
}

std::string TEntity::MutexName()
{
    return "LX_" + ExtractFileName(GetExeName());
}

std::string ExtractFileName(const std::string& Path)
{
    const std::size_t cut = Path.find_last_of("/\\:");
    return cut == std::string::npos ? Path : Path.substr(cut + 1);
}
