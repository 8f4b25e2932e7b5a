// One object of a kind for each thread that asks for it, made on first use and deleted when the
// thread ends: the memory of verdicts the engine keeps across records.
#pragma once

#include <QThreadStorage>

// Qt's thread storage owns the object rather than thread_local: the MinGW runtime frees a thread's
// thread_local storage before it runs the destructors of the objects in it, so every thread other
// than the main one crashed as it ended once it had classified a record. A plain pointer has no
// destructor, so it may be thread_local: it spares the storage's look-up (a few hundred instructions)
// on every question the review asks of the engine.
template<typename T>
T &perThread()
{
    thread_local T *object = nullptr;
    if (!object) {
        static QThreadStorage<T *> storage;
        if (!storage.hasLocalData())
            storage.setLocalData(new T);
        object = storage.localData();
    }
    return *object;
}
