// sound: the music steps of the frame, which calls them.
#pragma once

// Restarts looping music whose due time has passed and sets the next one;
// does nothing without looping music.
void serviceMusicLoop();

// Forgets the music: volume unset, no loop, the player stopped and closed.
void closeMusic();
