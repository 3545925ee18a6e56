// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/TableModel.h"
#include "core/table/TextMatrix.h"

#include <string>

namespace harukaze {

/**
 * TBL of a built table: the texts of its columns in the matrix's coordinates, as far as the matrix
 * reaches (columns 0..18); every other text is empty.
 */
TextMatrix textMatrixOf(const TableModel& table);

/**
 * CSV export of the table text matrix: one CP932 line per row 0..rows-1, the texts of columns
 * 0..cols-1 joined by ",", each line ended by CR LF. A text holding a comma, a double quote, CR or LF
 * is written in double quotes with inner quotes doubled; every other text is written as it stands.
 * rows or cols of 0 give an empty file. rows and cols are limited to the matrix size.
 */
std::string tableCsvBytes(const TextMatrix& tbl, int rows, int cols);

/**
 * Writes tableCsvBytes() to `path` with saveFileAtomically(): the file is replaced only once
 * everything was written, and a read-only file or anything but a regular file is refused.
 * Returns false and sets `error` to the reason on failure; an existing file is then untouched.
 */
bool FILE_OUT(const std::string& path, const TextMatrix& tbl, int rows, int cols, std::string* error = nullptr);

} // namespace harukaze
