#pragma once

// The kinds of cell editor a grid can open. The pedigree grid uses edCapital: a plain text box
// whose typed characters become capitals. The text-box kinds are edNormal and edNumeric through
// edPassword, edLowerCase and edUpperCase; this grid opens every other kind as a plain text box.
enum TEditorType : int {
    edNormal,
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,
    edRichEdit,
    edUniEdit,
    edUniComboEdit,
    edUniComboList,
};
