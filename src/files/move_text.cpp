#include "files/move_text.h"

#include "run/text.h"

void fnParseMoveModes(const char *pszLetters, MoveModeStruct *pModes)
{
    pModes->uMoveMode = kMoveRename;
    pModes->uInUseAction = kMoveInUseRestart;
    pModes->uAttribMode = kAttribNormal;
    pModes->uSourceCheck = kSourceNoCheck;
    pModes->bRecurse = 0;
    if (!pszLetters || !pszLetters[0])
        pszLetters = "M";
    if (pszLetters[0] == '+') {
        pModes->bRecurse = 1;
        pszLetters++;
    }
    size_t cch = strlen(pszLetters);
    switch (fnUpperChar(pszLetters[0])) {
    case 'M':
        pModes->uMoveMode = kMoveMove;
        pModes->uAttribMode = kAttribKeep;
        break;
    case 'A':
    case 'T':
        pModes->uMoveMode = kMoveCopy;
        pModes->uAttribMode = kAttribKeep;
        pModes->uSourceCheck = kSourceCheck;
        break;
    case 'C':
        pModes->uMoveMode = kMoveCopy;
        break;
    case 'O':
        pModes->uMoveMode = kMoveCopyOver;
        break;
    case 'D':
        pModes->uMoveMode = kMoveDelete;
        break;
    case 'R':
        pModes->uMoveMode = kMoveRename;
        pModes->uAttribMode = kAttribKeep;
        break;
    case 'P':
        pModes->uMoveMode = kMoveAsk;
        break;
    case '\0':
        pModes->uMoveMode = kMoveMove;  // a lone "+" keeps the default letter
        pModes->uAttribMode = kAttribKeep;
        break;
    default:
        break;
    }
    if (cch > 1) {
        switch (fnUpperChar(pszLetters[1])) {
        case 'C': pModes->uInUseAction = kMoveInUseClose; break;
        case 'P': pModes->uInUseAction = kMoveInUseAsk; break;
        case 'R': pModes->uInUseAction = kMoveInUseRestart; break;
        case 'S': pModes->uInUseAction = kMoveInUseSkip; break;
        default: break;
        }
    }
    if (cch > 2) {
        char c = fnUpperChar(pszLetters[2]);
        if (c == 'K')
            pModes->uAttribMode = kAttribKeep;
        else if (c == 'N')
            pModes->uAttribMode = kAttribNormal;
    }
    if (cch > 3) {
        char c = fnUpperChar(pszLetters[3]);
        if (c == 'C')
            pModes->uSourceCheck = kSourceCheck;
        else if (c == 'E')
            pModes->uSourceCheck = kSourceNoCheck;
    }
}

unsigned fnParseMoveWait(const char *pszField)
{
    char c = fnUpperChar(pszField[0]);
    if (c == 'Y' || c == 'N')
        pszField++;
    unsigned uHalves = fnDecimalValue(pszField);
    if (uHalves > 0xFFFFFFFFu / 500u)
        uHalves = 0xFFFFFFFFu / 500u;  // no wrap-around into a short wait
    return uHalves * 500u;
}

const char *fnMoveVerb(unsigned uMoveMode)
{
    switch (uMoveMode) {
    case kMoveMove:
    case kMoveAsk:
        return "move";
    case kMoveCopy:
    case kMoveCopyOver:
        return "copy";
    case kMoveDelete:
        return "delete";
    default:
        return "rename";
    }
}
