#include "ports/open_codes.h"

// Constants of the system, drawn once from a fixed pseudo-random sequence. Printers
// and firmware containers made for this system depend on every character.
const char kOpenCodeTable[2][kOpenCodeLength + 1] = {
    // Open code 0.
    "OPEN CODE="
    "NS\\G)XSYK&6CJP(;G T'&K-88=H9:99J6SL?GJ#F9\":V+#I9)QGN0WA\"QITD[7X2X01U[$\\)W+'T> )'"
    "@*E :KQ$*PASYU<]?<\\!]-XBOE#'5E8,1XTLNKI !06!47.]S4]00^B&B&>4><\"E,!)I\\Z&(Q^@TK,2N"
    "7%GY)<,:BR;[;ESU&7D_4Q\\H<B=O\"J 8&UA.W(CZJ-#Q]!C9E/,'Z:V'SF% (7)#VM&? &PJ+_A$HO L"
    "-7G59# I0@W5T%@0JOU;F@5M&^=V>;Z7:.\"CE6<^WZ@-H8,'P<C1XEQNWS?,8%($$Y'[1Z7-%!80):\"("
    "0MOPZ-''&AMT HM[=;H FH8SZ[5H*A\".=?^]5-]TVO^=2B<>V(4W,$*72&#W$&0:N<);G].*/&4Z(=_9"
    "DN&QK&CCG4V)O+,<T&JWLG=U1*/=>A@\\38.4?DGQB+06&['E&54Z#^:M/7H8XGKX;39=++\\X_<@H@Y\"?"
    "/+2DD<)M^BAW\"%LAC<R:",
    // Open code 1.
    "OPEN CODE="
    "TD9T0+J#W8!5AI.J\\]YHJB7*IULW^A*Q&^'U*_D:HF:Y#;**</AY:*:8^ P[MX#F#ZN2EC05QV*O'<^E"
    "CH,R/-@U*L)[).XLJ_>:SU1:KM54[C^V&!_0T_>)R([9/:7S[ZJ<XM&)\\_18FT2YM>3A\"(TOTM^AMU,'"
    "/Z-MEXZ'!%V+I>U,X ^WHB]'P>=[Z_D,*!X_R0:,S'!'/.?[7CUM_37%#-^\\*W,MD#K<JX+7O\\50:OEJ"
    "*__CV/CI<F_,)O'O&GQ5S7B>,.$(_2VG B#.K8Q$O]:N\"?/4G5?L7QK!YGP'FW167Q0.8&II>Y>Z-(F:"
    "=,7,O(O !1-MQ=U%+2AHB+I:&,N2&_P)A&0#$->$<<V>&&)W+*\"[W\"#Y>LL/*'_8;'G 'RR3G?129GIO"
    "6\\;.0],'ESEO7)%LT(0B$OR8>8'KI8\"Q1M.M-:ND'6<O3:&5TMIJYA[47X?O>$M3,4B,I_[11NFT)^45"
    "EZY7FU<\\/XB)QI& ?R\\4",
};
