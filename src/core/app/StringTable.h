#pragma once

#include <QString>

// The ids of the texts the program asks for by itself, by the Polish id. (The window's
// controls get theirs through the binding table of InterfaceTexts.)
enum TextId : int {
    textPhotosTab = 101,
    textMainPageTab = 102,
    textAlbumPagesTab = 103,
    textBackgroundsTab = 104,
    textPhotoCount = 106, // "Ilość zdjęć : ", followed by the count
    textCreateAlbum = 118,
    textFixedCountLayout = 121,
    textCreatingAlbum = 184,
    textCopyingPhotos = 185,
    textCreatingStyles = 186,
    textCreatingIndexes = 187,
    textCreatingMainPage = 188,
    textAlbumCreatedOpenIt = 189,
    textDescriptionHeading = 195,
    textDescriptionFooter = 196,
    textPicturesCaption = 197, // "Zdjęcia ", followed by a range of photo numbers
    textFirstPhoto = 198,
    textLastPhoto = 199,
    textPreviousPhoto = 300,
    textNextPhoto = 301,
    textBackToMainPage = 302,
    textBackToThumbnails = 303,
    textNameLabel = 304,
    textDimensionsLabel = 305,
    textSizeLabel = 306,
    textQuestionCaption = 307,
    textInformationCaption = 308,
    textPerPagePrompt = 309,
    textPerPageSuffix = 310, // " zdjęć na stronie", after the count
    textModernPagesTab = 501,
};

// The interface string table: every numbered text in both languages. A Polish text has an
// id of 101–199, 300–312 or, for the texts the program added since, 501–599; its English
// partner has the id + 100.
//
// languageFlag: 0 English, 1 Polish (any other nonzero value counts as Polish, as the
// original rule "Polish when the flag is set" says).
QString interfaceText(int polishId, qint8 languageFlag);

// The text stored under one id exactly as the table holds it (Polish or English id);
// an empty text for an id the table does not hold.
QString textOfId(int id);

// True when the table holds the given id (Polish or English).
bool hasTextId(int id);
