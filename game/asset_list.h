// The asset list: every picture the game draws, in load order, with the surface slot each load
// got, and the two sound effects. Pictures are loaded once at start-up and never again; the engine
// reloads them by itself when surfaces are lost.
#pragma once

#include "game/score_data.h"

// Every picture in load order. Loads take the lowest free slot from 4 upward and nothing is
// loaded before or freed after, so the n-th entry (from 0) lands in slot n + 4.
// "IMAGE/VAL402.BMP" is in the list twice and gets two slots; the drawing code uses the first.
#define MORV_IMAGE_LIST(X) \
  X(kImgCOIN1, "IMAGE/COIN1.BMP") /* slot 4 */ \
  X(kImgCOIN2, "IMAGE/COIN2.BMP") /* slot 5 */ \
  X(kImgCOINBK1, "IMAGE/COINBK1.BMP") /* slot 6 */ \
  X(kImgZBAK1B, "IMAGE/ZBAK1B.BMP") /* slot 7 */ \
  X(kImgZBAK2B, "IMAGE/ZBAK2B.BMP") /* slot 8 */ \
  X(kImgZBAK3B, "IMAGE/ZBAK3B.BMP") /* slot 9 */ \
  X(kImgZBAK4B, "IMAGE/ZBAK4B.BMP") /* slot 10 */ \
  X(kImgZBAK5B, "IMAGE/ZBAK5B.BMP") /* slot 11 */ \
  X(kImgZBAK6B, "IMAGE/ZBAK6B.BMP") /* slot 12 */ \
  X(kImgBBAK1B, "IMAGE/BBAK1B.BMP") /* slot 13 */ \
  X(kImgHOMINGL1, "IMAGE/HOMINGL1.BMP") /* slot 14 */ \
  X(kImgMYRCL51, "IMAGE/MYRCL51.BMP") /* slot 15 */ \
  X(kImgMYRCL52, "IMAGE/MYRCL52.BMP") /* slot 16 */ \
  X(kImgMYRCL53, "IMAGE/MYRCL53.BMP") /* slot 17 */ \
  X(kImgMYRCL54, "IMAGE/MYRCL54.BMP") /* slot 18 */ \
  X(kImgMYRCL55, "IMAGE/MYRCL55.BMP") /* slot 19 */ \
  X(kImgMYRCL56, "IMAGE/MYRCL56.BMP") /* slot 20 */ \
  X(kImgMYRCL57, "IMAGE/MYRCL57.BMP") /* slot 21 */ \
  X(kImgMYRCL58, "IMAGE/MYRCL58.BMP") /* slot 22 */ \
  X(kImgMYRCL59, "IMAGE/MYRCL59.BMP") /* slot 23 */ \
  X(kImgMYRCL60, "IMAGE/MYRCL60.BMP") /* slot 24 */ \
  X(kImgMYRCL61, "IMAGE/MYRCL61.BMP") /* slot 25 */ \
  X(kImgMYRCL62, "IMAGE/MYRCL62.BMP") /* slot 26 */ \
  X(kImgMYRCL63, "IMAGE/MYRCL63.BMP") /* slot 27 */ \
  X(kImgMYRCL64, "IMAGE/MYRCL64.BMP") /* slot 28 */ \
  X(kImgMYRCL65, "IMAGE/MYRCL65.BMP") /* slot 29 */ \
  X(kImgMYRCL66, "IMAGE/MYRCL66.BMP") /* slot 30 */ \
  X(kImgMYRCL51G, "IMAGE/MYRCL51G.BMP") /* slot 31 */ \
  X(kImgMYRCL52G, "IMAGE/MYRCL52G.BMP") /* slot 32 */ \
  X(kImgMYRCL53G, "IMAGE/MYRCL53G.BMP") /* slot 33 */ \
  X(kImgMYRCL54G, "IMAGE/MYRCL54G.BMP") /* slot 34 */ \
  X(kImgMYRCL55G, "IMAGE/MYRCL55G.BMP") /* slot 35 */ \
  X(kImgMYRCL56G, "IMAGE/MYRCL56G.BMP") /* slot 36 */ \
  X(kImgMYRCL57G, "IMAGE/MYRCL57G.BMP") /* slot 37 */ \
  X(kImgMYRCL58G, "IMAGE/MYRCL58G.BMP") /* slot 38 */ \
  X(kImgMYRCL59G, "IMAGE/MYRCL59G.BMP") /* slot 39 */ \
  X(kImgMYRCL60G, "IMAGE/MYRCL60G.BMP") /* slot 40 */ \
  X(kImgMYRCL61G, "IMAGE/MYRCL61G.BMP") /* slot 41 */ \
  X(kImgMYRCL62G, "IMAGE/MYRCL62G.BMP") /* slot 42 */ \
  X(kImgMYRCL63G, "IMAGE/MYRCL63G.BMP") /* slot 43 */ \
  X(kImgMYRCL64G, "IMAGE/MYRCL64G.BMP") /* slot 44 */ \
  X(kImgMYRCL65G, "IMAGE/MYRCL65G.BMP") /* slot 45 */ \
  X(kImgMYRCL66G, "IMAGE/MYRCL66G.BMP") /* slot 46 */ \
  X(kImgMYRCL51TH, "IMAGE/MYRCL51TH.BMP") /* slot 47 */ \
  X(kImgMYRCL52TH, "IMAGE/MYRCL52TH.BMP") /* slot 48 */ \
  X(kImgMYRCL53TH, "IMAGE/MYRCL53TH.BMP") /* slot 49 */ \
  X(kImgMYRCL54TH, "IMAGE/MYRCL54TH.BMP") /* slot 50 */ \
  X(kImgMYRCL55TH, "IMAGE/MYRCL55TH.BMP") /* slot 51 */ \
  X(kImgMYRCL56TH, "IMAGE/MYRCL56TH.BMP") /* slot 52 */ \
  X(kImgMYRCL57TH, "IMAGE/MYRCL57TH.BMP") /* slot 53 */ \
  X(kImgMYRCL58TH, "IMAGE/MYRCL58TH.BMP") /* slot 54 */ \
  X(kImgMYRCL59TH, "IMAGE/MYRCL59TH.BMP") /* slot 55 */ \
  X(kImgMYRCL60TH, "IMAGE/MYRCL60TH.BMP") /* slot 56 */ \
  X(kImgMYRCL61TH, "IMAGE/MYRCL61TH.BMP") /* slot 57 */ \
  X(kImgMYRCL62TH, "IMAGE/MYRCL62TH.BMP") /* slot 58 */ \
  X(kImgMYRCL63TH, "IMAGE/MYRCL63TH.BMP") /* slot 59 */ \
  X(kImgMYRCL64TH, "IMAGE/MYRCL64TH.BMP") /* slot 60 */ \
  X(kImgMYRCL65TH, "IMAGE/MYRCL65TH.BMP") /* slot 61 */ \
  X(kImgMYRCL66TH, "IMAGE/MYRCL66TH.BMP") /* slot 62 */ \
  X(kImgMYRCL67TH, "IMAGE/MYRCL67TH.BMP") /* slot 63 */ \
  X(kImgMYRCL68TH, "IMAGE/MYRCL68TH.BMP") /* slot 64 */ \
  X(kImgMYRCL69TH, "IMAGE/MYRCL69TH.BMP") /* slot 65 */ \
  X(kImgMYRCL70TH, "IMAGE/MYRCL70TH.BMP") /* slot 66 */ \
  X(kImgMYRCL71TH, "IMAGE/MYRCL71TH.BMP") /* slot 67 */ \
  X(kImgGFBAK1, "IMAGE/GFBAK1.BMP") /* slot 68 */ \
  X(kImgMYME1L1, "IMAGE/MYME1L1.BMP") /* slot 69 */ \
  X(kImgMYME1L2, "IMAGE/MYME1L2.BMP") /* slot 70 */ \
  X(kImgMYME1L3, "IMAGE/MYME1L3.BMP") /* slot 71 */ \
  X(kImgMYME1L4, "IMAGE/MYME1L4.BMP") /* slot 72 */ \
  X(kImgMYME1L5, "IMAGE/MYME1L5.BMP") /* slot 73 */ \
  X(kImgMYME1L6, "IMAGE/MYME1L6.BMP") /* slot 74 */ \
  X(kImgMYME1L7, "IMAGE/MYME1L7.BMP") /* slot 75 */ \
  X(kImgMYME1L8, "IMAGE/MYME1L8.BMP") /* slot 76 */ \
  X(kImgMYME1L9, "IMAGE/MYME1L9.BMP") /* slot 77 */ \
  X(kImgMYME1L10, "IMAGE/MYME1L10.BMP") /* slot 78 */ \
  X(kImgMYME1L11, "IMAGE/MYME1L11.BMP") /* slot 79 */ \
  X(kImgMYME1L12, "IMAGE/MYME1L12.BMP") /* slot 80 */ \
  X(kImgMYME1L13, "IMAGE/MYME1L13.BMP") /* slot 81 */ \
  X(kImgMYME1L14, "IMAGE/MYME1L14.BMP") /* slot 82 */ \
  X(kImgMYME1L15, "IMAGE/MYME1L15.BMP") /* slot 83 */ \
  X(kImgMYME1L16, "IMAGE/MYME1L16.BMP") /* slot 84 */ \
  X(kImgMYME1L17, "IMAGE/MYME1L17.BMP") /* slot 85 */ \
  X(kImgMYME1L18, "IMAGE/MYME1L18.BMP") /* slot 86 */ \
  X(kImgMYME1L19, "IMAGE/MYME1L19.BMP") /* slot 87 */ \
  X(kImgMYME1L20, "IMAGE/MYME1L20.BMP") /* slot 88 */ \
  X(kImgMYME1, "IMAGE/MYME1.BMP") /* slot 89 */ \
  X(kImgMYME1F1, "IMAGE/MYME1F1.BMP") /* slot 90 */ \
  X(kImgOPMY1, "IMAGE/OPMY1.BMP") /* slot 91 */ \
  X(kImgFKOV1, "IMAGE/FKOV1.BMP") /* slot 92 */ \
  X(kImgFBOM1, "IMAGE/FBOM1.BMP") /* slot 93 */ \
  X(kImgMYMY, "IMAGE/MYMY.BMP") /* slot 94 */ \
  X(kImgMYEND, "IMAGE/MYEND.BMP") /* slot 95 */ \
  X(kImgMYENDF, "IMAGE/MYENDF.BMP") /* slot 96 */ \
  X(kImgMYGOODN, "IMAGE/MYGOODN.BMP") /* slot 97 */ \
  X(kImgSUJI09, "IMAGE/SUJI09.BMP") /* slot 98 */ \
  X(kImgSUJI09_2, "IMAGE/SUJI09_2.BMP") /* slot 99 */ \
  X(kImgRANKING1, "IMAGE/RANKING1.BMP") /* slot 100 */ \
  X(kImgHAHEN, "IMAGE/HAHEN.BMP") /* slot 101 */ \
  X(kImgHAHEN2, "IMAGE/HAHEN2.BMP") /* slot 102 */ \
  X(kImgSFLHV1, "IMAGE/SFLHV1.BMP") /* slot 103 */ \
  X(kImgSFLHV2, "IMAGE/SFLHV2.BMP") /* slot 104 */ \
  X(kImgSFLH1, "IMAGE/SFLH1.BMP") /* slot 105 */ \
  X(kImgMYME1B, "IMAGE/MYME1B.BMP") /* slot 106 */ \
  X(kImgSFLH2, "IMAGE/SFLH2.BMP") /* slot 107 */ \
  X(kImgSFLH3, "IMAGE/SFLH3.BMP") /* slot 108 */ \
  X(kImgSFLH4, "IMAGE/SFLH4.BMP") /* slot 109 */ \
  X(kImgSFLH5, "IMAGE/SFLH5.BMP") /* slot 110 */ \
  X(kImgSFLH6, "IMAGE/SFLH6.BMP") /* slot 111 */ \
  X(kImgSFLH7, "IMAGE/SFLH7.BMP") /* slot 112 */ \
  X(kImgSFLH8, "IMAGE/SFLH8.BMP") /* slot 113 */ \
  X(kImgSFLH11, "IMAGE/SFLH11.BMP") /* slot 114 */ \
  X(kImgSFLH22, "IMAGE/SFLH22.BMP") /* slot 115 */ \
  X(kImgSFLH33, "IMAGE/SFLH33.BMP") /* slot 116 */ \
  X(kImgFLHST12, "IMAGE/FLHST12.BMP") /* slot 117 */ \
  X(kImgFLHST11, "IMAGE/FLHST11.BMP") /* slot 118 */ \
  X(kImgFLHST2, "IMAGE/FLHST2.BMP") /* slot 119 */ \
  X(kImgFLHST22, "IMAGE/FLHST22.BMP") /* slot 120 */ \
  X(kImgFLHST3, "IMAGE/FLHST3.BMP") /* slot 121 */ \
  X(kImgFLHST33, "IMAGE/FLHST33.BMP") /* slot 122 */ \
  X(kImgFLW1_3, "IMAGE/FLW1_3.BMP") /* slot 123 */ \
  X(kImgFLW2_1, "IMAGE/FLW2_1.BMP") /* slot 124 */ \
  X(kImgFLW3_2, "IMAGE/FLW3_2.BMP") /* slot 125 */ \
  X(kImgFLW11, "IMAGE/FLW11.BMP") /* slot 126 */ \
  X(kImgFLW22, "IMAGE/FLW22.BMP") /* slot 127 */ \
  X(kImgFLW33, "IMAGE/FLW33.BMP") /* slot 128 */ \
  X(kImgKOV1, "IMAGE/KOV1.BMP") /* slot 129 */ \
  X(kImgKOV2, "IMAGE/KOV2.BMP") /* slot 130 */ \
  X(kImgKOV11, "IMAGE/KOV11.BMP") /* slot 131 */ \
  X(kImgKOV22, "IMAGE/KOV22.BMP") /* slot 132 */ \
  X(kImgKOV3, "IMAGE/KOV3.BMP") /* slot 133 */ \
  X(kImgKOV4, "IMAGE/KOV4.BMP") /* slot 134 */ \
  X(kImgKOV5, "IMAGE/KOV5.BMP") /* slot 135 */ \
  X(kImgKOV6, "IMAGE/KOV6.BMP") /* slot 136 */ \
  X(kImgKOV7, "IMAGE/KOV7.BMP") /* slot 137 */ \
  X(kImgKOV8, "IMAGE/KOV8.BMP") /* slot 138 */ \
  X(kImgKOV10, "IMAGE/KOV10.BMP") /* slot 139 */ \
  X(kImgSPOWER1, "IMAGE/SPOWER1.BMP") /* slot 140 */ \
  X(kImgFBAK1, "IMAGE/FBAK1.BMP") /* slot 141 */ \
  X(kImgSZAK1, "IMAGE/ZAKU/SZAK1.BMP") /* slot 142 */ \
  X(kImgSZAK2, "IMAGE/ZAKU/SZAK2.BMP") /* slot 143 */ \
  X(kImgSZAK3, "IMAGE/ZAKU/SZAK3.BMP") /* slot 144 */ \
  X(kImgSZAK4, "IMAGE/ZAKU/SZAK4.BMP") /* slot 145 */ \
  X(kImgSZAK5, "IMAGE/ZAKU/SZAK5.BMP") /* slot 146 */ \
  X(kImgSZAK6, "IMAGE/ZAKU/SZAK6.BMP") /* slot 147 */ \
  X(kImgSZAK7, "IMAGE/ZAKU/SZAK7.BMP") /* slot 148 */ \
  X(kImgSZAK8, "IMAGE/ZAKU/SZAK8.BMP") /* slot 149 */ \
  X(kImgSZAK9, "IMAGE/ZAKU/SZAK9.BMP") /* slot 150 */ \
  X(kImgSZAK10, "IMAGE/ZAKU/SZAK10.BMP") /* slot 151 */ \
  X(kImgVAL11, "IMAGE/VAL11.BMP") /* slot 152 */ \
  X(kImgVAL12, "IMAGE/VAL12.BMP") /* slot 153 */ \
  X(kImgVAL13, "IMAGE/VAL13.BMP") /* slot 154 */ \
  X(kImgVAL1, "IMAGE/VAL1.BMP") /* slot 155 */ \
  X(kImgVAL2, "IMAGE/VAL2.BMP") /* slot 156 */ \
  X(kImgVAL3, "IMAGE/VAL3.BMP") /* slot 157 */ \
  X(kImgRPANEL3R, "IMAGE/RPANEL3R.BMP") /* slot 158 */ \
  X(kImgRPANEL2R, "IMAGE/RPANEL2R.BMP") /* slot 159 */ \
  X(kImgBOSS11, "IMAGE/BOSS/BOSS11.BMP") /* slot 160 */ \
  X(kImgBOSS11_1, "IMAGE/BOSS/BOSS11_1.BMP") /* slot 161 */ \
  X(kImgBOSS11_2, "IMAGE/BOSS/BOSS11_2.BMP") /* slot 162 */ \
  X(kImgBOSS11_3, "IMAGE/BOSS/BOSS11_3.BMP") /* slot 163 */ \
  X(kImgBOSS31, "IMAGE/BOSS/BOSS31.BMP") /* slot 164 */ \
  X(kImgBOSS41, "IMAGE/BOSS/BOSS41.BMP") /* slot 165 */ \
  X(kImgBOSS41_1, "IMAGE/BOSS/BOSS41_1.BMP") /* slot 166 */ \
  X(kImgBOSS41_2, "IMAGE/BOSS/BOSS41_2.BMP") /* slot 167 */ \
  X(kImgBOSS41_3, "IMAGE/BOSS/BOSS41_3.BMP") /* slot 168 */ \
  X(kImgBOSS51, "IMAGE/BOSS/BOSS51.BMP") /* slot 169 */ \
  X(kImgBOSS71, "IMAGE/BOSS/BOSS71.BMP") /* slot 170 */ \
  X(kImgBOSS71_1, "IMAGE/BOSS/BOSS71_1.BMP") /* slot 171 */ \
  X(kImgBOSS71_2, "IMAGE/BOSS/BOSS71_2.BMP") /* slot 172 */ \
  X(kImgBOSS71_3, "IMAGE/BOSS/BOSS71_3.BMP") /* slot 173 */ \
  X(kImgBOS111, "IMAGE/BOSS/BOS111.BMP") /* slot 174 */ \
  X(kImgBOS511, "IMAGE/BOSS/BOS511.BMP") /* slot 175 */ \
  X(kImgVAL16241, "IMAGE/VAL16241.BMP") /* slot 176 */ \
  X(kImgVAL20241, "IMAGE/VAL20241.BMP") /* slot 177 */ \
  X(kImgVALL20, "IMAGE/VALL20.BMP") /* slot 178 */ \
  X(kImgVAL201, "IMAGE/VAL201.BMP") /* slot 179 */ \
  X(kImgVAL401, "IMAGE/VAL401.BMP") /* slot 180 */ \
  X(kImgVAL402, "IMAGE/VAL402.BMP") /* slot 181 */ \
  X(kImgVAL402_2, "IMAGE/VAL402.BMP") /* slot 182 */ \
  X(kImgVAL404, "IMAGE/VAL404.BMP") /* slot 183 */ \
  X(kImgVAL405, "IMAGE/VAL405.BMP") /* slot 184 */ \
  X(kImgVAL40L, "IMAGE/VAL40L.BMP") /* slot 185 */ \
  X(kImgVAL40L1, "IMAGE/VAL40L1.BMP") /* slot 186 */ \
  X(kImgVAL40L2, "IMAGE/VAL40L2.BMP") /* slot 187 */ \
  X(kImgZAL20, "IMAGE/ZAL20.BMP") /* slot 188 */ \
  X(kImgVAL15L, "IMAGE/VAL15L.BMP") /* slot 189 */ \
  X(kImgVAL151L, "IMAGE/VAL151L.BMP") /* slot 190 */ \
  X(kImgVAL30L, "IMAGE/VAL30L.BMP") /* slot 191 */ \
  X(kImgVAL20, "IMAGE/VAL20.BMP") /* slot 192 */ \
  X(kImgVALARM11, "IMAGE/VALARM11.BMP") /* slot 193 */ \
  X(kImgVALARM12, "IMAGE/VALARM12.BMP") /* slot 194 */ \
  X(kImgVALARM31, "IMAGE/VALARM31.BMP") /* slot 195 */ \
  X(kImgVALARM32, "IMAGE/VALARM32.BMP") /* slot 196 */ \
  X(kImgVALARM33, "IMAGE/VALARM33.BMP") /* slot 197 */ \
  X(kImgVALARM34, "IMAGE/VALARM34.BMP") /* slot 198 */ \
  X(kImgVALARM51, "IMAGE/VALARM51.BMP") /* slot 199 */ \
  X(kImgVALARM70, "IMAGE/VALARM70.BMP") /* slot 200 */ \
  X(kImgVALARM7, "IMAGE/VALARM7.BMP") /* slot 201 */ \
  X(kImgVALARM71, "IMAGE/VALARM71.BMP") /* slot 202 */ \
  X(kImgVALARM72, "IMAGE/VALARM72.BMP") /* slot 203 */ \
  X(kImgVALARM73, "IMAGE/VALARM73.BMP") /* slot 204 */ \
  X(kImgVALARM74, "IMAGE/VALARM74.BMP") /* slot 205 */ \
  X(kImgVALARM75, "IMAGE/VALARM75.BMP") /* slot 206 */ \
  X(kImgVAL20w, "IMAGE/VAL20w.BMP") /* slot 207 */ \
  X(kImgVAL21w, "IMAGE/VAL21w.BMP") /* slot 208 */ \
  X(kImgVAL30w, "IMAGE/VAL30w.BMP") /* slot 209 */ \
  X(kImgVALL301, "IMAGE/VALL301.BMP") /* slot 210 */ \
  X(kImgVALL3011, "IMAGE/VALL3011.BMP") /* slot 211 */ \
  X(kImgVALL3013, "IMAGE/VALL3013.BMP") /* slot 212 */ \
  X(kImgVALL3014, "IMAGE/VALL3014.BMP") /* slot 213 */ \
  X(kImgVALL3015, "IMAGE/VALL3015.BMP") /* slot 214 */ \
  X(kImgVALL3016, "IMAGE/VALL3016.BMP") /* slot 215 */ \
  X(kImgVAL3015A, "IMAGE/VAL3015A.BMP") /* slot 216 */ \
  X(kImgVAL3016A, "IMAGE/VAL3016A.BMP") /* slot 217 */ \
  X(kImgVALL3017, "IMAGE/VALL3017.BMP") /* slot 218 */ \
  X(kImgVALL3018, "IMAGE/VALL3018.BMP") /* slot 219 */ \
  X(kImgVAL3017A, "IMAGE/VAL3017A.BMP") /* slot 220 */ \
  X(kImgVAL3018A, "IMAGE/VAL3018A.BMP") /* slot 221 */ \
  X(kImgVALL302, "IMAGE/VALL302.BMP") /* slot 222 */ \
  X(kImgVALL3019, "IMAGE/VALL3019.BMP") /* slot 223 */ \
  X(kImgVALL3020, "IMAGE/VALL3020.BMP") /* slot 224 */ \
  X(kImgMESO1, "IMAGE/MESO1.BMP") /* slot 225 */ \
  X(kImgZFIRE1, "IMAGE/ZFIRE1.BMP") /* slot 226 */ \
  X(kImgZFIRE2, "IMAGE/ZFIRE2.BMP") /* slot 227 */ \
  X(kImgKiti01, "IMAGE/BACK/Kiti01.BMP") /* slot 228 */ \
  X(kImgBBACK1S, "IMAGE/BACK/BBACK1S.BMP") /* slot 229 */ \
  X(kImgBBACK2S, "IMAGE/BACK/BBACK2S.BMP") /* slot 230 */ \
  X(kImgBBACK3S, "IMAGE/BACK/BBACK3S.BMP") /* slot 231 */ \
  X(kImgBBACK4S, "IMAGE/BACK/BBACK4S.BMP") /* slot 232 */ \
  X(kImgBBACK5S, "IMAGE/BACK/BBACK5S.BMP") /* slot 233 */ \
  X(kImgBBACK6S, "IMAGE/BACK/BBACK6S.BMP") /* slot 234 */ \
  X(kImgBBACK8S, "IMAGE/BACK/BBACK8S.BMP") /* slot 235 */ \
  X(kImgTITLEC, "IMAGE/TITLEC.BMP") /* slot 236 */ \
  X(kImgQZCG1, "IMAGE/QZCG1.BMP") /* slot 237 */ \
  X(kImgQZCG2, "IMAGE/QZCG2.BMP") /* slot 238 */ \
  X(kImgLEVEL0, "IMAGE/LEVEL0.BMP") /* slot 239 */ \
  X(kImgLEVEL1, "IMAGE/LEVEL1.BMP") /* slot 240 */ \
  X(kImgCONTINU1, "IMAGE/CONTINU1.BMP") /* slot 241 */

enum ImageId : int {
#define MORV_IMAGE_ID(id, file) id,
  MORV_IMAGE_LIST(MORV_IMAGE_ID)
#undef MORV_IMAGE_ID
  kImageCount
};
static_assert(kImageCount == 238);

// The sounds load between these two parts of the list: after "IMAGE/ZFIRE2.BMP", before the
// stage-1 backdrop.
inline constexpr int kImagesBeforeSounds = kImgKiti01;
static_assert(kImagesBeforeSounds == 224);

// File name of each picture, as passed to the loader.
extern const char* const kImageFiles[kImageCount];
// Surface slot of each picture: what elDraw::LoadObject returned, 0 when the load failed (such a
// picture then draws from slot 0).
extern int gImageSlot[kImageCount];
inline int ImageSlot(ImageId id) { return gImageSlot[id]; }

// Sound numbers of the two effects; -1 when a sound could not be loaded (playing -1 does nothing).
extern int gSndShot;  // "SOUND/SHOT.WAV"
extern int gSndBom;   // "SOUND/BOM.WAV": every explosion and pickup

void LoadAllAssets();
