#include "frame/string_array.h"

#include "frame/trace_log.h"

jobjectArray newStringArray(JNIEnv* env, jsize count) {
  jclass stringClass = env->FindClass("java/lang/String");
  if (!stringClass) return nullptr;
  jobjectArray array = env->NewObjectArray(count, stringClass, nullptr);
  env->DeleteLocalRef(stringClass);
  return array;
}

void setStringArrayElement(JNIEnv* env, jobjectArray array, jsize index, const char* text) {
  traceLog("setStringArrayElement", "Start");
  jstring element = env->NewStringUTF(text);
  if (element) {
    env->SetObjectArrayElement(array, index, element);
    // Callers fill whole arrays in loops: one local reference per element would pile up.
    env->DeleteLocalRef(element);
  }
  traceLog("setStringArrayElement", "End");
}
