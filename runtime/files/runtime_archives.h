// files: the runtime's two resource archives, owned by the runtime's engines
// from start-up to shut-down: the main one, searched for files of every
// kind, and the media one, for music and movies.
#pragma once

class ResourceArchive;

// The archives; null before start-up and after shut-down.
ResourceArchive* mainArchive();
ResourceArchive* mediaArchive();
// Make an archive over no file yet as the newest engine; one made before is
// destroyed first.
ResourceArchive& createMainArchive();
ResourceArchive& createMediaArchive();
