/* Writes a one-cell workbook with Chinese text to the file named on the command line. */
#include <xlsxwriter.h>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    lxw_workbook *workbook = workbook_new(argv[1]);
    if (!workbook)
        return 1;
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, NULL);
    worksheet_write_string(sheet, 0, 0, "\xe5\xa7\x93\xe5\x90\x8d", NULL); /* 姓名 */
    return workbook_close(workbook) == LXW_NO_ERROR ? 0 : 1;
}
