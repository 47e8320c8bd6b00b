// core: the runtime's strings, arrays, block vector, error slot, math, random
// numbers and DATA lists. Standard C++ only; never the platform layer.
#pragma once

// --- Strings ---
// RtString: data/capacity/length, shared empty buffer, 16-byte growth      rt_string.h
// RtString(int32_t), RtString(double), RtString(float): number texts       rt_string.h
// reserve, assign, operator=, operator+=, getBuffer/updateLength, truncate rt_string.h
// toDouble, toInt, toUpperInPlace, toLowerInPlace, trimControlTail        rt_string.h
// operator+ (16 pairs), ==, !=, <, <=, >, >= (text and number), TextRef   string_operators.h
// compareText, compareNumber                                              string_operators.h
// mid, replaceAll, find, findFirstOf, findFirstNotOf                      string_functions.h
// toUpperCopy, toLowerCopy, bytesToHex                                    string_functions.h
#include "runtime/core/rt_string.h"
#include "runtime/core/string_functions.h"
#include "runtime/core/string_operators.h"

// --- Numbers from text, doubles to ints ---
// textToDouble, textToInt (decimal, locale-free), doubleToInt (NaN -> INT_MIN)
#include "runtime/core/numeric_convert.h"

// --- Errors ---
// setError, clearError, lastErrorText, errorCodeText, setFatalHandler, fatalError
#include "runtime/core/error_slot.h"

// --- Arrays ---
// RtArray<T>: dim, redim, bounds, at, push, remove, moveSlice, copyElement rt_array.h
// sortStringArray, callCompare                                            rt_array.h
// RtArray<double>, RtArray<int32_t>: inline storage, zero-filled; assign,
// setFromList; boundsDouble, boundsInt                                    number_array.h
// BlockVector<T>: reserve, append, removeByMovingLast, copyFrom, clear    block_vector.h
// minOf, maxOf                                                            min_max.h
#include "runtime/core/block_vector.h"
#include "runtime/core/min_max.h"
#include "runtime/core/rt_array.h"

// --- Math ---
// sinDeg, cosDeg, tanDeg, asinDeg, acosDeg, atan2Deg, sqrtValue, absValue,
// absInt, powValue, modInt, modDouble, numberTextLength
#include "runtime/core/math_degrees.h"

// --- Random numbers ---
// seedRandom, seedRandomCommand, nextRandom, randomInt
#include "runtime/core/random.h"

// --- DATA lists ---
// DataItem, DataBlock, restoreData, readDataString, readDataDouble, readDataInt
#include "runtime/core/data_list.h"

// --- Process-wide state ---
// RuntimeState, runtimeState()
#include "runtime/core/runtime_state.h"
