VERSION 5.00
Begin VB.Form DemoForm
   BackColor       =   &H8000000F&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "UserForm1"
   ClientHeight    =   5370
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   13215
   BeginProperty Font
      Name            =   "Tahoma"
      Size            =   8.25
      Charset         =   0
      Weight          =   400
      Underline       =   0
      Italic          =   0
      Strikethrough   =   0
   EndProperty
   ForeColor       =   &H80000012&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   5370
   ScaleWidth     =   13215
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.Frame Frame2
      Caption         =   "Frame2"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   3600
      Left            =   120
      TabIndex        =   0
      Top             =   1320
      Width           =   3600
      Begin VB.ComboBox ComboBox1
         BackColor       =   &H80000005&
         ForeColor       =   &H80000008&
         Height          =   510
         Left            =   1920
         TabIndex        =   1
         Top             =   360
         Width           =   1080
      End
      Begin VB.ListBox ListBox1
         BackColor       =   &H80000005&
         ForeColor       =   &H80000008&
         Height          =   2655
         Left            =   240
         TabIndex        =   0
         Top             =   360
         Width           =   1560
      End
   End
   Begin VB.TextBox TextBox1
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   3690
      Left            =   3840
      TabIndex        =   1
      Top             =   1320
      Width           =   3240
      MultiLine       =   -1 'True
      ScrollBars      =   3
      Text            =   "'''=============================================================================
''' VBA UserForm MouseScroll
'''---------------------------------------------------------
''' https://github.com/cristianbuse/VBA-UserForm-MouseScroll
'''---------------------------------------------------------
'''
''' Copyright (c) 2019 Ion Cristian Buse
'''
''' Permission is hereby granted, free of charge, to any person obtaining a copy
''' of this software and associated documentation files (the ""Software""), to deal
''' in the Software without restriction, including without limitation the rights
''' to use, copy, modify, merge, publish, distribute, sublicense, and/or sell
''' copies of the Software, and to permit persons to whom the Software is
''' furnished to do so, subject to the following conditions:
'''
''' The above copyright notice and this permission notice shall be included in all
''' copies or substantial portions of the Software.
'''
''' THE SOFTWARE IS PROVIDED ""AS IS"", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR
''' IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,
''' FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE
''' AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER
''' LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,
''' OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE
''' SOFTWARE.
'''=============================================================================
''
''==============================================================================
'' Description:
''    Allows forms and form controls to be scrolled using the mouse wheel.
''    Simultaneoulsy tracks all forms that called the EnableMouseScroll method!
''
''    Installs a Mouse Hook by calling SetWindowsHookEx API with ID WH_MOUSE = 7
''       and the address of the MouseProc callback function.
''    The Mouse Hook is active as long as there is at least one form that
''       previously enabled scrolling (i.e. called EnableMouseScroll method)
''    Another option would be to use ID WH_MOUSE_LL = 14 which would require a
''       LowLevelMouseProc callback but unlike the WH_MOUSE hook which is local
''       (hooked on the current thread only) the WH_MOUSE_LL hook is actually
''       global and very slow.
''    The system calls the MouseProc function whenever the Excel Application
''       calls the GetMessage or PeekMessage functions and there is a mouse
''       message to be processed.
''    This module also holds a collection of MouseOverControls that call back
''       the SetHoveredControl method in this module whenever a MouseMove event
''       is triggered.
'' Notes:
''    MouseProc hook works properly with MODAL UserForms only!
''    Modeless Forms will cause unhooking! This is done on purpose to prevent
''       crashes!
''    No need to call DisableMouseScroll method. This is done automatically!
''       However, in Ms Word is recommanded to call it from the form's terminate
''       event (i.e. UserForm_Terminate)
''    Hold down SHIFT key when scrolling the mouse wheel, for Horizontal Scroll!
''    Hold down CTRL key when scrolling the mouse wheel, for Zoom!
'' Warning:
''    Do not debug code while the hook is active to avoid crashes!
'' Requires:
''    - MouseOverControl: Container that tracks MouseMove events
''==============================================================================
'''=============================================================================
''' VBA UserForm MouseScroll
'''---------------------------------------------------------
''' https://github.com/cristianbuse/VBA-UserForm-MouseScroll
'''---------------------------------------------------------
'''
''' Copyright (c) 2019 Ion Cristian Buse
'''
''' Permission is hereby granted, free of charge, to any person obtaining a copy
''' of this software and associated documentation files (the ""Software""), to deal
''' in the Software without restriction, including without limitation the rights
''' to use, copy, modify, merge, publish, distribute, sublicense, and/or sell
''' copies of the Software, and to permit persons to whom the Software is
''' furnished to do so, subject to the following conditions:
'''
''' The above copyright notice and this permission notice shall be included in all
''' copies or substantial portions of the Software.
'''
''' THE SOFTWARE IS PROVIDED ""AS IS"", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR
''' IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,
''' FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE
''' AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER
''' LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,
''' OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE
''' SOFTWARE.
'''=============================================================================
''
''==============================================================================
'' Description:
''    This object holds a single reference to a MSForms.UserForm or a
''       MSForms.Control that is capable of having a MouseMove event.
''    The reference is set using the InitFromControl method and can be any of
''       the 13 types listed below.
''    When the MouseMove event is triggered, the hovered control is passed to
''       the SetHoveredControl method in the MouseScroll module.
'' Notes:
''    This class implements Scroll events for the container types (frame, form
''       and multiPage) in order to supress any scrolls that are related to the
''       controls getting the focus.
'' Requires:
''    - MouseScroll: module enabling Mouse Message processing
''=============================================================================="
   End
   Begin <unknown>.MultiPage MultiPage1
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   3600
      Left            =   7200
      TabIndex        =   2
      Top             =   1320
      Width           =   3240
   End
   Begin VB.CommandButton btnClose
      Caption         =   "Close"
      BackColor       =   &H8000000F&
      Height          =   0
      Left            =   0
      TabIndex        =   3
      TabStop         =   0   'False
      Top             =   600
      Width           =   0
      Cancel          =   -1  'True
   End
   Begin VB.CheckBox CheckBox1
      Caption         =   "Pass scroll to parent at margins (when unable to scroll anymore)"
      BackColor       =   &H8000000F&
      ForeColor       =   &H8000000D&
      Height          =   345
      Left            =   120
      TabIndex        =   4
      Top             =   0
      Width           =   5955
      Value           =   1
   End
   Begin VB.CommandButton CommandButton1
      Caption         =   "MessageBox"
      BackColor       =   &H8000000F&
      Height          =   481
      Left            =   11280
      TabIndex        =   5
      Top             =   3840
      Width           =   1560
   End
   Begin VB.CommandButton CommandButton2
      Caption         =   "Generate Error"
      BackColor       =   &H8000000F&
      Height          =   481
      Left            =   11280
      TabIndex        =   6
      Top             =   3239
      Width           =   1560
   End
   Begin VB.CommandButton CommandButton3
      Caption         =   "Show MODAL Subform"
      BackColor       =   &H00C0C0FF&
      Height          =   600
      Left            =   11280
      TabIndex        =   7
      Top             =   1680
      Width           =   1560
   End
   Begin VB.CommandButton CommandButton4
      Caption         =   "InputBox"
      BackColor       =   &H8000000F&
      Height          =   481
      Left            =   11280
      TabIndex        =   8
      Top             =   4440
      Width           =   1560
   End
   Begin VB.CommandButton CommandButton5
      Caption         =   "Show MODELESS Subform"
      BackColor       =   &H00C0C0FF&
      Height          =   600
      Left            =   11280
      TabIndex        =   9
      Top             =   2400
      Width           =   1560
   End
   Begin VB.CheckBox CheckBox2
      Caption         =   "Use SHIFT key to change scroll direction"
      BackColor       =   &H8000000F&
      ForeColor       =   &H8000000D&
      Height          =   345
      Left            =   120
      TabIndex        =   10
      Top             =   360
      Width           =   3780
      Value           =   1
   End
   Begin VB.CheckBox CheckBox3
      Caption         =   "USE CTRL key to zoom while scrolling"
      BackColor       =   &H8000000F&
      ForeColor       =   &H8000000D&
      Height          =   345
      Left            =   120
      TabIndex        =   11
      Top             =   720
      Width           =   3780
      Value           =   1
   End
End
Attribute VB_Name = "DemoForm"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False


Option Explicit

Private Sub btnClose_Click()
    Me.Hide
End Sub

Private Sub CheckBox1_Click()
    EnableMouseScroll Me, CheckBox1.Value, CheckBox2.Value, CheckBox3.Value
End Sub

Private Sub CheckBox2_Click()
    EnableMouseScroll Me, CheckBox1.Value, CheckBox2.Value, CheckBox3.Value
End Sub

Private Sub CheckBox3_Click()
    EnableMouseScroll Me, CheckBox1.Value, CheckBox2.Value, CheckBox3.Value
End Sub

Private Sub CommandButton1_Click()
    MsgBox "Demo"
End Sub

'Note that the error will close the Form in Microsoft Word because
'   Application.EnableCancelKey is set to wdCancelDisabled and the
'   Run-time error Dialog (End/Debug) is not shown
'In Excel the error will display the Run-time error Dialog (End/Debug)
Private Sub CommandButton2_Click()
    Debug.Print 1 / 0
End Sub

Private Sub CommandButton3_Click()
    With New DemoForm
        .Top = Me.Top + 30
        .Caption = "MODAL form"
        .Show vbModal
    End With
End Sub

Private Sub CommandButton5_Click()
    With New DemoForm
        .Top = Me.Top + 30
        On Error Resume Next
        .Caption = "MODELESS form"
        .Show vbModeless
        If Err.Number <> 0 Then
            MsgBox Err.Description, vbInformation, "Cannot display"
        End If
        On Error GoTo 0
    End With
End Sub

Private Sub CommandButton4_Click()
    Debug.Print "Input: " & InputBox("Demo", "Demo", "Demo")
End Sub

Private Sub Form_Initialize()
    Me.StartUpPosition = 0
    Me.Left = Application.Left + Application.Width / 2 - Me.Width / 2
    Me.Top = Application.Top + Application.Height / 2 - Me.Height / 2
    AddDemoData
    EnableMouseScroll Me
End Sub

Private Sub AddDemoData()
    Dim i As Long
    Dim tValue As String

    For i = 1 To 100
        ListBox1.AddItem i
        ComboBox1.AddItem i
        TextBox1.Value = TextBox1.Value & vbNewLine & i
    Next i
End Sub

Private Sub Form_QueryClose(Cancel As Integer, CloseMode As Integer)
    If CloseMode = vbFormControlMenu Then
        Cancel = True
        Me.Hide
    End If
End Sub
