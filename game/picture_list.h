// The pictures of the game, in load order: each one's image id, file name, size in pixels and
// colour key. This is the one list of them: the game's asset list loads it (game/asset_list.h),
// the asset generator paints a picture of each row's size, and the asset tests check the written
// files against it. It includes nothing, so the generator reads it without taking in any other
// part of the game.
//
// Slots: loads take the lowest free slot from kFirstPictureSlot upward, and nothing is loaded
// before the list or freed after, so the n-th row (from 0) lands in slot n + kFirstPictureSlot.
// "IMAGE/VAL402.BMP" is in the list twice and gets two slots; the drawing code uses the first.
//
// Key: Black for a picture whose pure-black pixels are transparent (every sprite, layer and
// panel); None for a picture that covers its whole rectangle and has no pixel of the key colour
// (the title and the two ending pictures).
#pragma once

// X(id, file, width, height, key): the image id is kImg<id>.
#define MORV_PICTURE_LIST(X) \
  X(COIN1, "IMAGE/COIN1.BMP", 30, 30, Black) \
  X(COIN2, "IMAGE/COIN2.BMP", 30, 30, Black) \
  X(COINBK1, "IMAGE/COINBK1.BMP", 800, 80, Black) \
  X(ZBAK1B, "IMAGE/ZBAK1B.BMP", 600, 60, Black) \
  X(ZBAK2B, "IMAGE/ZBAK2B.BMP", 800, 80, Black) \
  X(ZBAK3B, "IMAGE/ZBAK3B.BMP", 800, 80, Black) \
  X(ZBAK4B, "IMAGE/ZBAK4B.BMP", 800, 80, Black) \
  X(ZBAK5B, "IMAGE/ZBAK5B.BMP", 600, 60, Black) \
  X(ZBAK6B, "IMAGE/ZBAK6B.BMP", 400, 40, Black) \
  X(BBAK1B, "IMAGE/BBAK1B.BMP", 640, 160, Black) \
  X(HOMINGL1, "IMAGE/HOMINGL1.BMP", 20, 40, Black) \
  X(MYRCL51, "IMAGE/MYRCL51.BMP", 120, 280, Black) \
  X(MYRCL52, "IMAGE/MYRCL52.BMP", 120, 280, Black) \
  X(MYRCL53, "IMAGE/MYRCL53.BMP", 120, 280, Black) \
  X(MYRCL54, "IMAGE/MYRCL54.BMP", 120, 280, Black) \
  X(MYRCL55, "IMAGE/MYRCL55.BMP", 120, 280, Black) \
  X(MYRCL56, "IMAGE/MYRCL56.BMP", 120, 280, Black) \
  X(MYRCL57, "IMAGE/MYRCL57.BMP", 120, 280, Black) \
  X(MYRCL58, "IMAGE/MYRCL58.BMP", 120, 280, Black) \
  X(MYRCL59, "IMAGE/MYRCL59.BMP", 120, 280, Black) \
  X(MYRCL60, "IMAGE/MYRCL60.BMP", 120, 280, Black) \
  X(MYRCL61, "IMAGE/MYRCL61.BMP", 120, 280, Black) \
  X(MYRCL62, "IMAGE/MYRCL62.BMP", 120, 280, Black) \
  X(MYRCL63, "IMAGE/MYRCL63.BMP", 120, 280, Black) \
  X(MYRCL64, "IMAGE/MYRCL64.BMP", 120, 280, Black) \
  X(MYRCL65, "IMAGE/MYRCL65.BMP", 120, 280, Black) \
  X(MYRCL66, "IMAGE/MYRCL66.BMP", 120, 280, Black) \
  X(MYRCL51G, "IMAGE/MYRCL51G.BMP", 120, 280, Black) \
  X(MYRCL52G, "IMAGE/MYRCL52G.BMP", 120, 280, Black) \
  X(MYRCL53G, "IMAGE/MYRCL53G.BMP", 120, 280, Black) \
  X(MYRCL54G, "IMAGE/MYRCL54G.BMP", 120, 280, Black) \
  X(MYRCL55G, "IMAGE/MYRCL55G.BMP", 120, 280, Black) \
  X(MYRCL56G, "IMAGE/MYRCL56G.BMP", 120, 280, Black) \
  X(MYRCL57G, "IMAGE/MYRCL57G.BMP", 120, 280, Black) \
  X(MYRCL58G, "IMAGE/MYRCL58G.BMP", 120, 280, Black) \
  X(MYRCL59G, "IMAGE/MYRCL59G.BMP", 120, 280, Black) \
  X(MYRCL60G, "IMAGE/MYRCL60G.BMP", 120, 280, Black) \
  X(MYRCL61G, "IMAGE/MYRCL61G.BMP", 120, 280, Black) \
  X(MYRCL62G, "IMAGE/MYRCL62G.BMP", 120, 280, Black) \
  X(MYRCL63G, "IMAGE/MYRCL63G.BMP", 120, 280, Black) \
  X(MYRCL64G, "IMAGE/MYRCL64G.BMP", 120, 280, Black) \
  X(MYRCL65G, "IMAGE/MYRCL65G.BMP", 120, 280, Black) \
  X(MYRCL66G, "IMAGE/MYRCL66G.BMP", 120, 280, Black) \
  X(MYRCL51TH, "IMAGE/MYRCL51TH.BMP", 120, 280, Black) \
  X(MYRCL52TH, "IMAGE/MYRCL52TH.BMP", 120, 280, Black) \
  X(MYRCL53TH, "IMAGE/MYRCL53TH.BMP", 120, 280, Black) \
  X(MYRCL54TH, "IMAGE/MYRCL54TH.BMP", 120, 280, Black) \
  X(MYRCL55TH, "IMAGE/MYRCL55TH.BMP", 120, 280, Black) \
  X(MYRCL56TH, "IMAGE/MYRCL56TH.BMP", 120, 280, Black) \
  X(MYRCL57TH, "IMAGE/MYRCL57TH.BMP", 120, 280, Black) \
  X(MYRCL58TH, "IMAGE/MYRCL58TH.BMP", 120, 280, Black) \
  X(MYRCL59TH, "IMAGE/MYRCL59TH.BMP", 120, 280, Black) \
  X(MYRCL60TH, "IMAGE/MYRCL60TH.BMP", 120, 280, Black) \
  X(MYRCL61TH, "IMAGE/MYRCL61TH.BMP", 120, 280, Black) \
  X(MYRCL62TH, "IMAGE/MYRCL62TH.BMP", 120, 280, Black) \
  X(MYRCL63TH, "IMAGE/MYRCL63TH.BMP", 120, 280, Black) \
  X(MYRCL64TH, "IMAGE/MYRCL64TH.BMP", 120, 280, Black) \
  X(MYRCL65TH, "IMAGE/MYRCL65TH.BMP", 120, 280, Black) \
  X(MYRCL66TH, "IMAGE/MYRCL66TH.BMP", 120, 280, Black) \
  X(MYRCL67TH, "IMAGE/MYRCL67TH.BMP", 120, 280, Black) \
  X(MYRCL68TH, "IMAGE/MYRCL68TH.BMP", 120, 280, Black) \
  X(MYRCL69TH, "IMAGE/MYRCL69TH.BMP", 120, 280, Black) \
  X(MYRCL70TH, "IMAGE/MYRCL70TH.BMP", 120, 280, Black) \
  X(MYRCL71TH, "IMAGE/MYRCL71TH.BMP", 120, 280, Black) \
  X(GFBAK1, "IMAGE/GFBAK1.BMP", 480, 120, Black) \
  X(MYME1L1, "IMAGE/MYME1L1.BMP", 60, 70, Black) \
  X(MYME1L2, "IMAGE/MYME1L2.BMP", 60, 70, Black) \
  X(MYME1L3, "IMAGE/MYME1L3.BMP", 60, 70, Black) \
  X(MYME1L4, "IMAGE/MYME1L4.BMP", 60, 70, Black) \
  X(MYME1L5, "IMAGE/MYME1L5.BMP", 60, 70, Black) \
  X(MYME1L6, "IMAGE/MYME1L6.BMP", 60, 70, Black) \
  X(MYME1L7, "IMAGE/MYME1L7.BMP", 60, 70, Black) \
  X(MYME1L8, "IMAGE/MYME1L8.BMP", 60, 70, Black) \
  X(MYME1L9, "IMAGE/MYME1L9.BMP", 60, 70, Black) \
  X(MYME1L10, "IMAGE/MYME1L10.BMP", 60, 70, Black) \
  X(MYME1L11, "IMAGE/MYME1L11.BMP", 60, 70, Black) \
  X(MYME1L12, "IMAGE/MYME1L12.BMP", 60, 70, Black) \
  X(MYME1L13, "IMAGE/MYME1L13.BMP", 60, 70, Black) \
  X(MYME1L14, "IMAGE/MYME1L14.BMP", 60, 70, Black) \
  X(MYME1L15, "IMAGE/MYME1L15.BMP", 60, 70, Black) \
  X(MYME1L16, "IMAGE/MYME1L16.BMP", 60, 70, Black) \
  X(MYME1L17, "IMAGE/MYME1L17.BMP", 60, 70, Black) \
  X(MYME1L18, "IMAGE/MYME1L18.BMP", 60, 70, Black) \
  X(MYME1L19, "IMAGE/MYME1L19.BMP", 60, 70, Black) \
  X(MYME1L20, "IMAGE/MYME1L20.BMP", 60, 70, Black) \
  X(MYME1, "IMAGE/MYME1.BMP", 240, 70, Black) \
  X(MYME1F1, "IMAGE/MYME1F1.BMP", 180, 80, Black) \
  X(OPMY1, "IMAGE/OPMY1.BMP", 30, 30, Black) \
  X(FKOV1, "IMAGE/FKOV1.BMP", 30, 30, Black) \
  X(FBOM1, "IMAGE/FBOM1.BMP", 80, 80, Black) \
  X(MYMY, "IMAGE/MYMY.BMP", 240, 80, Black) \
  X(MYEND, "IMAGE/MYEND.BMP", 240, 70, Black) \
  X(MYENDF, "IMAGE/MYENDF.BMP", 180, 80, Black) \
  X(MYGOODN, "IMAGE/MYGOODN.BMP", 300, 100, Black) \
  X(SUJI09, "IMAGE/SUJI09.BMP", 160, 20, Black) \
  X(SUJI09_2, "IMAGE/SUJI09_2.BMP", 200, 25, Black) \
  X(RANKING1, "IMAGE/RANKING1.BMP", 400, 100, Black) \
  X(HAHEN, "IMAGE/HAHEN.BMP", 30, 30, Black) \
  X(HAHEN2, "IMAGE/HAHEN2.BMP", 14, 14, Black) \
  X(SFLHV1, "IMAGE/SFLHV1.BMP", 300, 60, Black) \
  X(SFLHV2, "IMAGE/SFLHV2.BMP", 300, 60, Black) \
  X(SFLH1, "IMAGE/SFLH1.BMP", 60, 60, Black) \
  X(MYME1B, "IMAGE/MYME1B.BMP", 240, 70, Black) \
  X(SFLH2, "IMAGE/SFLH2.BMP", 60, 60, Black) \
  X(SFLH3, "IMAGE/SFLH3.BMP", 60, 60, Black) \
  X(SFLH4, "IMAGE/SFLH4.BMP", 60, 60, Black) \
  X(SFLH5, "IMAGE/SFLH5.BMP", 60, 60, Black) \
  X(SFLH6, "IMAGE/SFLH6.BMP", 60, 60, Black) \
  X(SFLH7, "IMAGE/SFLH7.BMP", 60, 60, Black) \
  X(SFLH8, "IMAGE/SFLH8.BMP", 60, 60, Black) \
  X(SFLH11, "IMAGE/SFLH11.BMP", 60, 60, Black) \
  X(SFLH22, "IMAGE/SFLH22.BMP", 60, 60, Black) \
  X(SFLH33, "IMAGE/SFLH33.BMP", 60, 60, Black) \
  X(FLHST12, "IMAGE/FLHST12.BMP", 70, 50, Black) \
  X(FLHST11, "IMAGE/FLHST11.BMP", 70, 50, Black) \
  X(FLHST2, "IMAGE/FLHST2.BMP", 70, 36, Black) \
  X(FLHST22, "IMAGE/FLHST22.BMP", 124, 70, Black) \
  X(FLHST3, "IMAGE/FLHST3.BMP", 70, 36, Black) \
  X(FLHST33, "IMAGE/FLHST33.BMP", 124, 70, Black) \
  X(FLW1_3, "IMAGE/FLW1_3.BMP", 120, 60, Black) \
  X(FLW2_1, "IMAGE/FLW2_1.BMP", 60, 60, Black) \
  X(FLW3_2, "IMAGE/FLW3_2.BMP", 60, 60, Black) \
  X(FLW11, "IMAGE/FLW11.BMP", 60, 60, Black) \
  X(FLW22, "IMAGE/FLW22.BMP", 60, 60, Black) \
  X(FLW33, "IMAGE/FLW33.BMP", 60, 60, Black) \
  X(KOV1, "IMAGE/KOV1.BMP", 30, 30, Black) \
  X(KOV2, "IMAGE/KOV2.BMP", 20, 20, Black) \
  X(KOV11, "IMAGE/KOV11.BMP", 30, 30, Black) \
  X(KOV22, "IMAGE/KOV22.BMP", 20, 20, Black) \
  X(KOV3, "IMAGE/KOV3.BMP", 30, 30, Black) \
  X(KOV4, "IMAGE/KOV4.BMP", 30, 30, Black) \
  X(KOV5, "IMAGE/KOV5.BMP", 30, 30, Black) \
  X(KOV6, "IMAGE/KOV6.BMP", 30, 30, Black) \
  X(KOV7, "IMAGE/KOV7.BMP", 30, 30, Black) \
  X(KOV8, "IMAGE/KOV8.BMP", 30, 30, Black) \
  X(KOV10, "IMAGE/KOV10.BMP", 30, 30, Black) \
  X(SPOWER1, "IMAGE/SPOWER1.BMP", 60, 60, Black) \
  X(FBAK1, "IMAGE/FBAK1.BMP", 600, 60, Black) \
  X(SZAK1, "IMAGE/ZAKU/SZAK1.BMP", 60, 60, Black) \
  X(SZAK2, "IMAGE/ZAKU/SZAK2.BMP", 70, 80, Black) \
  X(SZAK3, "IMAGE/ZAKU/SZAK3.BMP", 80, 80, Black) \
  X(SZAK4, "IMAGE/ZAKU/SZAK4.BMP", 80, 80, Black) \
  X(SZAK5, "IMAGE/ZAKU/SZAK5.BMP", 80, 80, Black) \
  X(SZAK6, "IMAGE/ZAKU/SZAK6.BMP", 80, 80, Black) \
  X(SZAK7, "IMAGE/ZAKU/SZAK7.BMP", 240, 300, Black) \
  X(SZAK8, "IMAGE/ZAKU/SZAK8.BMP", 240, 300, Black) \
  X(SZAK9, "IMAGE/ZAKU/SZAK9.BMP", 240, 300, Black) \
  X(SZAK10, "IMAGE/ZAKU/SZAK10.BMP", 240, 440, Black) \
  X(VAL11, "IMAGE/VAL11.BMP", 16, 16, Black) \
  X(VAL12, "IMAGE/VAL12.BMP", 16, 16, Black) \
  X(VAL13, "IMAGE/VAL13.BMP", 16, 16, Black) \
  X(VAL1, "IMAGE/VAL1.BMP", 256, 16, Black) \
  X(VAL2, "IMAGE/VAL2.BMP", 256, 16, Black) \
  X(VAL3, "IMAGE/VAL3.BMP", 256, 16, Black) \
  X(RPANEL3R, "IMAGE/RPANEL3R.BMP", 60, 50, Black) \
  X(RPANEL2R, "IMAGE/RPANEL2R.BMP", 60, 50, Black) \
  X(BOSS11, "IMAGE/BOSS/BOSS11.BMP", 440, 360, Black) \
  X(BOSS11_1, "IMAGE/BOSS/BOSS11_1.BMP", 440, 360, Black) \
  X(BOSS11_2, "IMAGE/BOSS/BOSS11_2.BMP", 440, 360, Black) \
  X(BOSS11_3, "IMAGE/BOSS/BOSS11_3.BMP", 440, 360, Black) \
  X(BOSS31, "IMAGE/BOSS/BOSS31.BMP", 360, 280, Black) \
  X(BOSS41, "IMAGE/BOSS/BOSS41.BMP", 360, 300, Black) \
  X(BOSS41_1, "IMAGE/BOSS/BOSS41_1.BMP", 360, 300, Black) \
  X(BOSS41_2, "IMAGE/BOSS/BOSS41_2.BMP", 360, 300, Black) \
  X(BOSS41_3, "IMAGE/BOSS/BOSS41_3.BMP", 360, 300, Black) \
  X(BOSS51, "IMAGE/BOSS/BOSS51.BMP", 360, 280, Black) \
  X(BOSS71, "IMAGE/BOSS/BOSS71.BMP", 500, 400, Black) \
  X(BOSS71_1, "IMAGE/BOSS/BOSS71_1.BMP", 500, 400, Black) \
  X(BOSS71_2, "IMAGE/BOSS/BOSS71_2.BMP", 500, 400, Black) \
  X(BOSS71_3, "IMAGE/BOSS/BOSS71_3.BMP", 500, 400, Black) \
  X(BOS111, "IMAGE/BOSS/BOS111.BMP", 480, 480, Black) \
  X(BOS511, "IMAGE/BOSS/BOS511.BMP", 480, 480, Black) \
  X(VAL16241, "IMAGE/VAL16241.BMP", 384, 16, Black) \
  X(VAL20241, "IMAGE/VAL20241.BMP", 480, 20, Black) \
  X(VALL20, "IMAGE/VALL20.BMP", 20, 20, Black) \
  X(VAL201, "IMAGE/VAL201.BMP", 140, 20, Black) \
  X(VAL401, "IMAGE/VAL401.BMP", 200, 40, Black) \
  X(VAL402, "IMAGE/VAL402.BMP", 200, 40, Black) \
  X(VAL402_2, "IMAGE/VAL402.BMP", 200, 40, Black) \
  X(VAL404, "IMAGE/VAL404.BMP", 280, 40, Black) \
  X(VAL405, "IMAGE/VAL405.BMP", 200, 40, Black) \
  X(VAL40L, "IMAGE/VAL40L.BMP", 40, 40, Black) \
  X(VAL40L1, "IMAGE/VAL40L1.BMP", 40, 40, Black) \
  X(VAL40L2, "IMAGE/VAL40L2.BMP", 40, 40, Black) \
  X(ZAL20, "IMAGE/ZAL20.BMP", 20, 20, Black) \
  X(VAL15L, "IMAGE/VAL15L.BMP", 15, 15, Black) \
  X(VAL151L, "IMAGE/VAL151L.BMP", 15, 15, Black) \
  X(VAL30L, "IMAGE/VAL30L.BMP", 30, 30, Black) \
  X(VAL20, "IMAGE/VAL20.BMP", 20, 20, Black) \
  X(VALARM11, "IMAGE/VALARM11.BMP", 150, 180, Black) \
  X(VALARM12, "IMAGE/VALARM12.BMP", 150, 180, Black) \
  X(VALARM31, "IMAGE/VALARM31.BMP", 90, 90, Black) \
  X(VALARM32, "IMAGE/VALARM32.BMP", 90, 90, Black) \
  X(VALARM33, "IMAGE/VALARM33.BMP", 90, 90, Black) \
  X(VALARM34, "IMAGE/VALARM34.BMP", 90, 90, Black) \
  X(VALARM51, "IMAGE/VALARM51.BMP", 90, 90, Black) \
  X(VALARM70, "IMAGE/VALARM70.BMP", 120, 120, Black) \
  X(VALARM7, "IMAGE/VALARM7.BMP", 60, 60, Black) \
  X(VALARM71, "IMAGE/VALARM71.BMP", 120, 120, Black) \
  X(VALARM72, "IMAGE/VALARM72.BMP", 120, 120, Black) \
  X(VALARM73, "IMAGE/VALARM73.BMP", 60, 120, Black) \
  X(VALARM74, "IMAGE/VALARM74.BMP", 60, 60, Black) \
  X(VALARM75, "IMAGE/VALARM75.BMP", 60, 60, Black) \
  X(VAL20w, "IMAGE/VAL20w.BMP", 20, 20, Black) \
  X(VAL21w, "IMAGE/VAL21w.BMP", 20, 20, Black) \
  X(VAL30w, "IMAGE/VAL30w.BMP", 30, 30, Black) \
  X(VALL301, "IMAGE/VALL301.BMP", 30, 30, Black) \
  X(VALL3011, "IMAGE/VALL3011.BMP", 30, 30, Black) \
  X(VALL3013, "IMAGE/VALL3013.BMP", 30, 30, Black) \
  X(VALL3014, "IMAGE/VALL3014.BMP", 30, 30, Black) \
  X(VALL3015, "IMAGE/VALL3015.BMP", 30, 30, Black) \
  X(VALL3016, "IMAGE/VALL3016.BMP", 30, 30, Black) \
  X(VAL3015A, "IMAGE/VAL3015A.BMP", 30, 30, Black) \
  X(VAL3016A, "IMAGE/VAL3016A.BMP", 30, 30, Black) \
  X(VALL3017, "IMAGE/VALL3017.BMP", 30, 30, Black) \
  X(VALL3018, "IMAGE/VALL3018.BMP", 30, 30, Black) \
  X(VAL3017A, "IMAGE/VAL3017A.BMP", 30, 30, Black) \
  X(VAL3018A, "IMAGE/VAL3018A.BMP", 30, 30, Black) \
  X(VALL302, "IMAGE/VALL302.BMP", 30, 30, Black) \
  X(VALL3019, "IMAGE/VALL3019.BMP", 30, 30, Black) \
  X(VALL3020, "IMAGE/VALL3020.BMP", 30, 30, Black) \
  X(MESO1, "IMAGE/MESO1.BMP", 240, 60, Black) \
  X(ZFIRE1, "IMAGE/ZFIRE1.BMP", 400, 70, Black) \
  X(ZFIRE2, "IMAGE/ZFIRE2.BMP", 400, 70, Black) \
  X(Kiti01, "IMAGE/BACK/Kiti01.BMP", 360, 360, Black) \
  X(BBACK1S, "IMAGE/BACK/BBACK1S.BMP", 360, 480, Black) \
  X(BBACK2S, "IMAGE/BACK/BBACK2S.BMP", 360, 480, Black) \
  X(BBACK3S, "IMAGE/BACK/BBACK3S.BMP", 360, 480, Black) \
  X(BBACK4S, "IMAGE/BACK/BBACK4S.BMP", 360, 480, Black) \
  X(BBACK5S, "IMAGE/BACK/BBACK5S.BMP", 360, 480, Black) \
  X(BBACK6S, "IMAGE/BACK/BBACK6S.BMP", 360, 480, Black) \
  X(BBACK8S, "IMAGE/BACK/BBACK8S.BMP", 360, 480, Black) \
  X(TITLEC, "IMAGE/TITLEC.BMP", 360, 480, None) \
  X(QZCG1, "IMAGE/QZCG1.BMP", 360, 480, None) \
  X(QZCG2, "IMAGE/QZCG2.BMP", 360, 480, None) \
  X(LEVEL0, "IMAGE/LEVEL0.BMP", 160, 40, Black) \
  X(LEVEL1, "IMAGE/LEVEL1.BMP", 160, 40, Black) \
  X(CONTINU1, "IMAGE/CONTINU1.BMP", 200, 100, Black)

enum ImageId : int {
#define MORV_PICTURE_ID(id, file, width, height, key) kImg##id,
  MORV_PICTURE_LIST(MORV_PICTURE_ID)
#undef MORV_PICTURE_ID
  kImageCount
};

enum class PictureKey : unsigned char { Black, None };

struct PictureRow {
  const char* file;  // as passed to the loader: under the program directory, letter case as written
  int width;
  int height;
  PictureKey key;
};

inline constexpr PictureRow kPictureRows[kImageCount] = {
#define MORV_PICTURE_ROW(id, file, width, height, key) {file, width, height, PictureKey::key},
    MORV_PICTURE_LIST(MORV_PICTURE_ROW)
#undef MORV_PICTURE_ROW
};

inline constexpr int kFirstPictureSlot = 4;
// The slot a picture's load takes when every load before it has taken one.
constexpr int PictureSlot(ImageId id) { return kFirstPictureSlot + id; }

// True when the row's file is the same as an earlier row's (the second "IMAGE/VAL402.BMP").
constexpr bool RepeatsAnEarlierFile(int row) {
  for (int i = 0; i < row; ++i) {
    const char* a = kPictureRows[i].file;
    const char* b = kPictureRows[row].file;
    while (*a != 0 && *a == *b) {
      ++a;
      ++b;
    }
    if (*a == *b) return true;
  }
  return false;
}
