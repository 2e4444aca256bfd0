/* Machine-dependent JNI types for Windows builds (MinGW-w64, 32 and 64 bits). */
#ifndef KX_JNI_MD_H
#define KX_JNI_MD_H

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
