#pragma once
/*
 * The C interface of the player core library System/vokrad.so. Hosts load the library at run time
 * and bind these fifteen functions by name; the pointer types below are for that binding.
 *
 * Window handles are 32-bit window ids of the platform layer. Words that the core never reads
 * are pointer-sized. Wide text is UTF-16 (char16_t), 8-bit text is UTF-8. Every block that the core
 * hands out is returned with Fct_FreeData.
 */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#else
#include <uchar.h>
#endif

/* One player instance; the core allocates it and the host only passes it back. */
typedef struct TCoreInstance TCoreInstance;

#if defined(VOKRAD_BUILDING_LIBRARY)
#define VOKRAD_EXPORT __attribute__((visibility("default")))
#else
#define VOKRAD_EXPORT
#endif

/* Library start and stop: DLL_Start answers 1, DLL_Stop answers 0. */
VOKRAD_EXPORT int32_t DLL_Start(void);
VOKRAD_EXPORT int32_t DLL_Stop(void);

/* A new player instance whose notifications go to hostWindow; null when text is null. */
VOKRAD_EXPORT TCoreInstance* Fct_CreatePlayerInstance(uint32_t hostWindow, const char* text);
/* 0, -1 for a null instance. The instance record stays valid: later orders answer -1. */
VOKRAD_EXPORT int32_t Fct_FreePlayerInstance(TCoreInstance* instance, uintptr_t unused);
/* Runs one order (see VokradOrders.h): 0 success, -1 failure; orders 120 and 307 answer values. */
VOKRAD_EXPORT int32_t Fct_SendOrder(TCoreInstance* instance, uintptr_t unused, uint32_t order, void* record,
                                    void** out);
/* Frees a block that the core handed out; 0, -1 when data or *data is null. *data is not cleared. */
VOKRAD_EXPORT int32_t Fct_FreeData(void** data);

/* Filter catalogue services; out texts are UTF-16 blocks returned with Fct_FreeData. */
VOKRAD_EXPORT int32_t Fct_GetCommonDsFilters(char16_t** out);
VOKRAD_EXPORT int32_t Fct_GetAllFilters(char16_t** out);
VOKRAD_EXPORT int32_t Fct_GetFCCFilters(uint32_t fourCC, char16_t** out);
VOKRAD_EXPORT int32_t Fct_GetFilterInfo(const char16_t* displayName, char16_t** out);
VOKRAD_EXPORT int32_t Fct_ShowFilterProp(uint32_t ownerWindow, const char16_t* displayName);
VOKRAD_EXPORT int32_t Fct_SetRit(const char16_t* displayName, uint32_t merit);

/* Duration of a media file in milliseconds, 0 when unknown. */
VOKRAD_EXPORT int32_t Fct_GetMediaDuration(const char16_t* fileName);
/* 9 when the mixing video renderer is available, else 0. */
VOKRAD_EXPORT int32_t Fct_IsVMR9Present(void);
/* 1; does nothing. */
VOKRAD_EXPORT int32_t Fct_HtmlHelp(uintptr_t a, uintptr_t b, uintptr_t c);

typedef int32_t (*TDLL_Start)(void);
typedef int32_t (*TDLL_Stop)(void);
typedef TCoreInstance* (*TFct_CreatePlayerInstance)(uint32_t, const char*);
typedef int32_t (*TFct_FreePlayerInstance)(TCoreInstance*, uintptr_t);
typedef int32_t (*TFct_SendOrder)(TCoreInstance*, uintptr_t, uint32_t, void*, void**);
typedef int32_t (*TFct_FreeData)(void**);
typedef int32_t (*TFct_GetCommonDsFilters)(char16_t**);
typedef int32_t (*TFct_GetAllFilters)(char16_t**);
typedef int32_t (*TFct_GetFCCFilters)(uint32_t, char16_t**);
typedef int32_t (*TFct_GetFilterInfo)(const char16_t*, char16_t**);
typedef int32_t (*TFct_ShowFilterProp)(uint32_t, const char16_t*);
typedef int32_t (*TFct_SetRit)(const char16_t*, uint32_t);
typedef int32_t (*TFct_GetMediaDuration)(const char16_t*);
typedef int32_t (*TFct_IsVMR9Present)(void);
typedef int32_t (*TFct_HtmlHelp)(uintptr_t, uintptr_t, uintptr_t);

#ifdef __cplusplus
}
#endif
