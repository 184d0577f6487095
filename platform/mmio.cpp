// Multimedia files: a read-only buffered file over a disk file or over a block of memory, with the
// RIFF chunk walk. Every chunk size is checked against the bytes the file really holds, so a damaged
// file fails with an error instead of sending the reader past its end.
#include "platform/mmio.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <vector>

struct HMMIO__ {
  FILE* file = nullptr;       // disk file; null for a memory file
  char* memory = nullptr;     // memory file: the caller's block, which is the I/O buffer itself
  std::vector<char> buffer;   // disk file: the I/O buffer
  int64_t size = 0;           // bytes in the file
  int64_t bufOffset = 0;      // file offset of the buffer's first byte
  int64_t bufFill = 0;        // valid bytes in the buffer
  int64_t next = 0;           // index of the next byte to read in the buffer
  FOURCC ioProc = FOURCC_DOS;

  char* Base() { return memory != nullptr ? memory : buffer.data(); }
  int64_t Capacity() const {
    return memory != nullptr ? size : static_cast<int64_t>(buffer.size());
  }
  int64_t Position() const { return bufOffset + next; }

  // Disk file: loads the buffer with the bytes from `offset` on. False on a read error.
  bool Fill(int64_t offset) {
    bufOffset = offset;
    next = 0;
    bufFill = 0;
    if (offset >= size) return true;
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return false;
    const size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
    if (got == 0 && std::ferror(file)) return false;
    bufFill = static_cast<int64_t>(got);
    return true;
  }

  bool SeekTo(int64_t pos) {
    if (pos < 0 || pos > size) return false;
    if (pos >= bufOffset && pos <= bufOffset + bufFill) {
      next = pos - bufOffset;
    } else {
      // Outside the buffer: the next read refills from there.
      bufOffset = pos;
      bufFill = 0;
      next = 0;
    }
    return true;
  }

  int64_t Read(char* out, int64_t bytes) {
    int64_t done = 0;
    while (done < bytes) {
      int64_t avail = bufFill - next;
      if (avail <= 0) {
        if (memory != nullptr) break;
        if (!Fill(Position())) return -1;
        avail = bufFill;
        if (avail == 0) break;
      }
      const int64_t n = avail < bytes - done ? avail : bytes - done;
      std::memcpy(out + done, Base() + next, static_cast<size_t>(n));
      next += n;
      done += n;
    }
    return done;
  }

  void ExportInfo(MMIOINFO* info) {
    std::memset(info, 0, sizeof(*info));
    info->fccIOProc = ioProc;
    info->cchBuffer = static_cast<LONG>(Capacity());
    info->pchBuffer = Base();
    info->pchNext = Base() + next;
    info->pchEndRead = Base() + bufFill;
    info->pchEndWrite = Base() + Capacity();
    info->lBufOffset = static_cast<LONG>(bufOffset);
    info->lDiskOffset = static_cast<LONG>(bufOffset + bufFill);
    info->hmmio = this;
  }

  // Takes the read position the caller reached in the buffer; false when it points elsewhere.
  bool ImportNext(const MMIOINFO* info) {
    if (info->pchNext < Base() || info->pchNext > Base() + bufFill) return false;
    next = info->pchNext - Base();
    return true;
  }
};

namespace {

uint32_t LoadU32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

HMMIO mmioOpenA(LPSTR fileName, LPMMIOINFO info, DWORD flags) {
  if (info != nullptr) info->wErrorRet = MMSYSERR_NOERROR;
  auto fail = [info](UINT error) -> HMMIO {
    if (info != nullptr) info->wErrorRet = error;
    return nullptr;
  };
  if ((flags & (MMIO_WRITE | MMIO_READWRITE)) != 0) return fail(MMIOERR_CANNOTWRITE);

  if (info != nullptr && info->fccIOProc == FOURCC_MEM) {
    if (info->pchBuffer == nullptr || info->cchBuffer <= 0) return fail(MMIOERR_CANNOTOPEN);
    auto* h = new HMMIO__;
    h->memory = info->pchBuffer;
    h->size = info->cchBuffer;
    h->bufFill = h->size;
    h->ioProc = FOURCC_MEM;
    info->hmmio = h;
    return h;
  }

  if (fileName == nullptr) return fail(MMIOERR_CANNOTOPEN);
  FILE* f = std::fopen(fileName, "rb");
  if (f == nullptr) return fail(MMIOERR_FILENOTFOUND);
  struct stat st {};
  if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > 0x7FFFFFFF) {
    std::fclose(f);
    return fail(MMIOERR_CANNOTOPEN);
  }
  auto* h = new HMMIO__;
  h->file = f;
  h->size = st.st_size;
  LONG bufferSize = MMIO_DEFAULTBUFFER;
  if (info != nullptr && info->cchBuffer > 0) bufferSize = info->cchBuffer;
  h->buffer.assign(static_cast<size_t>(bufferSize), 0);
  if (info != nullptr) info->hmmio = h;
  return h;
}

MMRESULT mmioClose(HMMIO file, UINT) {
  if (file == nullptr) return MMIOERR_CANNOTCLOSE;
  if (file->file != nullptr) std::fclose(file->file);
  delete file;
  return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO file, HPSTR buffer, LONG bytes) {
  if (file == nullptr || bytes < 0 || (buffer == nullptr && bytes > 0)) return -1;
  return static_cast<LONG>(file->Read(buffer, bytes));
}

LONG mmioSeek(HMMIO file, LONG offset, int origin) {
  if (file == nullptr) return -1;
  int64_t pos;
  switch (origin) {
    case SEEK_SET: pos = offset; break;
    case SEEK_CUR: pos = file->Position() + offset; break;
    case SEEK_END: pos = file->size + offset; break;
    default: return -1;
  }
  if (!file->SeekTo(pos)) return -1;
  return static_cast<LONG>(pos);
}

MMRESULT mmioDescend(HMMIO file, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags) {
  if (file == nullptr || chunk == nullptr) return MMIOERR_CANNOTREAD;
  // Chunks are looked for only where their header starts inside the parent. Some writers leave
  // the RIFF size covering no more than the format chunk and the data chunk's header, so a chunk
  // found there may reach past its parent's end: it is read as far as the file holds it.
  int64_t searchEnd = file->size;
  if (parent != nullptr) {
    const int64_t parentEnd = static_cast<int64_t>(parent->dwDataOffset) + parent->cksize;
    if (parentEnd < searchEnd) searchEnd = parentEnd;
  }
  const FOURCC wantId = chunk->ckid;
  const FOURCC wantType = chunk->fccType;
  for (;;) {
    const int64_t pos = file->Position();
    if (pos >= searchEnd || pos + 8 > file->size) return MMIOERR_CHUNKNOTFOUND;
    unsigned char header[8];
    if (file->Read(reinterpret_cast<char*>(header), 8) != 8) return MMIOERR_CHUNKNOTFOUND;
    const FOURCC id = LoadU32(header);
    const DWORD size = LoadU32(header + 4);
    const int64_t dataOffset = pos + 8;
    // A chunk may not claim more bytes than the file holds.
    if (dataOffset + static_cast<int64_t>(size) > file->size) return MMIOERR_INVALIDFILE;
    FOURCC type = 0;
    const bool isForm = id == FOURCC_RIFF || id == FOURCC_LIST;
    if (isForm) {
      unsigned char form[4];
      if (size < 4 || file->Read(reinterpret_cast<char*>(form), 4) != 4) return MMIOERR_INVALIDFILE;
      type = LoadU32(form);
    }
    bool match;
    if ((flags & MMIO_FINDCHUNK) != 0) {
      match = id == wantId;
    } else if ((flags & MMIO_FINDRIFF) != 0) {
      match = id == FOURCC_RIFF && type == wantType;
    } else if ((flags & MMIO_FINDLIST) != 0) {
      match = id == FOURCC_LIST && type == wantType;
    } else {
      match = true;
    }
    if (match) {
      chunk->ckid = id;
      chunk->cksize = size;
      chunk->fccType = type;
      chunk->dwDataOffset = static_cast<DWORD>(dataOffset);
      chunk->dwFlags = 0;
      return MMSYSERR_NOERROR;
    }
    // Skip the chunk and its pad byte; a missing final pad byte ends the search.
    const int64_t after = dataOffset + size + (size & 1);
    if (after >= searchEnd || !file->SeekTo(after)) return MMIOERR_CHUNKNOTFOUND;
  }
}

MMRESULT mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT) {
  if (file == nullptr || chunk == nullptr) return MMIOERR_CANNOTSEEK;
  int64_t after = static_cast<int64_t>(chunk->dwDataOffset) + chunk->cksize;
  if ((chunk->cksize & 1) != 0 && after < file->size) ++after;  // the pad byte, when present
  if (!file->SeekTo(after)) return MMIOERR_CANNOTSEEK;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioGetInfo(HMMIO file, LPMMIOINFO info, UINT) {
  if (file == nullptr || info == nullptr) return MMIOERR_CANNOTREAD;
  file->ExportInfo(info);
  return MMSYSERR_NOERROR;
}

MMRESULT mmioSetInfo(HMMIO file, const MMIOINFO* info, UINT) {
  if (file == nullptr || info == nullptr) return MMIOERR_CANNOTREAD;
  if (!file->ImportNext(info)) return MMIOERR_CANNOTREAD;
  return MMSYSERR_NOERROR;
}

MMRESULT mmioAdvance(HMMIO file, LPMMIOINFO info, UINT) {
  if (file == nullptr) return MMIOERR_CANNOTREAD;
  if (info != nullptr && !file->ImportNext(info)) return MMIOERR_CANNOTREAD;
  // A memory file is its own buffer: there is never anything further to bring in.
  if (file->memory == nullptr && !file->Fill(file->Position())) return MMIOERR_CANNOTREAD;
  if (info != nullptr) file->ExportInfo(info);
  return MMSYSERR_NOERROR;
}
