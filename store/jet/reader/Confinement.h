#pragma once

namespace store {

// Confines the reader program once its file is open: from then on it may read what it has open, take and give back
// memory (never executable), write to the two descriptors given (its stream and the file of libmdb's complaints),
// and end. Opening any file is refused with EACCES (a library that looks for a file of its own carries on without
// it); any other call ends the process. False when the filter could not be made.
bool confineReader(int streamFd, int complaintsFd);

} // namespace store
