// Java String arrays filled element by element.
#pragma once

#include <jni.h>

// An array of `count` elements, all null; null when "java/lang/String" cannot be found.
jobjectArray newStringArray(JNIEnv* env, jsize count);

// Stores a Java string made from text (bytes taken as modified UTF-8) at index; traced "Start" and
// "End" under "setStringArrayElement".
void setStringArrayElement(JNIEnv* env, jobjectArray array, jsize index, const char* text);
